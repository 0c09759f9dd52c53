#pragma once

#include <QGroupBox>
#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/program_engine.h"

class QAbstractItemView;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace veldra {

class CoreListModel;
class ProgramPages;

// Every command holds the program: a close asked for meanwhile (from a box or a yield
// inside it) waits until the command is over.
template <class Body>
void RunCommand(ProgramEngine& engine, Body&& body) {
    const ProgramEngine::Hold hold(engine);
    std::forward<Body>(body)();
}

// One page of the program window, in the frame the window shows while the page is
// chosen: it shows what the engine's pages hold and hands the engineer's clicks to them.
// A page that names a bit the engineer picked asks for its statement with a signal.
class ProgramPageFrame : public QGroupBox {
    Q_OBJECT

public:
    ProgramPageFrame(const QString& caption, int frame, ProgramEngine& engine, ProgramPages& pages,
                     QWidget* parent);

    template <class Body>
    void Command(Body&& body) {
        RunCommand(engine_, std::forward<Body>(body));
    }
    // Hands the line the engineer makes current in a list or grid to the core.
    void OnLineChosen(QAbstractItemView* view, std::function<void(int)> choose);
    // A list view over lines the core keeps, whose chosen line goes to the core.
    CoreListModel* ShowLines(QListView* view,
                             std::function<const std::vector<std::string>&()> lines,
                             std::function<void(int)> choose);

    // While one lives, the lines the frame makes current mirror the core: no choice.
    class Following {
    public:
        explicit Following(ProgramPageFrame& frame) : frame_(frame), was_(frame.following_) {
            frame_.following_ = true;
        }
        ~Following() { frame_.following_ = was_; }
        Following(const Following&) = delete;
        Following& operator=(const Following&) = delete;

    private:
        ProgramPageFrame& frame_;
        bool was_;
    };

Q_SIGNALS:
    // The engineer picked a bit by its name: its statement is to be opened.
    void bitAssignAsked(const QString& BitName);

protected:
    ProgramEngine& engine_;
    ProgramPages& pages_;

private:
    bool following_ = false;
};

// The controls the program window's pages are made of, named as the engineer's tests
// and the help find them.
namespace page_controls {

QLabel* Label(const char* caption, QWidget* parent, const char* name = nullptr);
QPushButton* Button(const char* caption, const char* name, QWidget* parent);
QListView* List(const QString& name, QWidget* parent);
QLineEdit* Box(const QString& name, QWidget* parent);
// "name_index", as a control of an indexed set is named.
QString Indexed(const char* name, int index);
// Makes the core's line current in the view (none for -1), unless it is already.
void ShowLine(QListView* view, int line);

}  // namespace page_controls

}  // namespace veldra
