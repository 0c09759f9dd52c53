#include "engine/qt/program_page_frame.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "engine/qt/core_list_model.h"

namespace veldra {

ProgramPageFrame::ProgramPageFrame(const QString& caption, int frame, ProgramEngine& engine,
                                   ProgramPages& pages, QWidget* parent)
    : QGroupBox(caption, parent), engine_(engine), pages_(pages) {
    setObjectName(page_controls::Indexed("fraOption", frame));
}

void ProgramPageFrame::OnLineChosen(QAbstractItemView* view, std::function<void(int)> choose) {
    // The engineer's choice only, by mouse or keyboard; a line the window makes current
    // to mirror the core is no choice.
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, choose = std::move(choose)](const QModelIndex& current) {
                if (!following_ && current.isValid()) {
                    Command([&] { choose(current.row()); });
                }
            });
}

CoreListModel* ProgramPageFrame::ShowLines(QListView* view,
                                           std::function<const std::vector<std::string>&()> lines,
                                           std::function<void(int)> choose) {
    auto* model = new CoreListModel(CoreListModel::Lines(std::move(lines)), view);
    view->setModel(model);
    OnLineChosen(view, std::move(choose));
    return model;
}

namespace page_controls {

QLabel* Label(const char* caption, QWidget* parent, const char* name) {
    auto* label = new QLabel(caption, parent);
    if (name != nullptr) {
        label->setObjectName(name);
    }
    return label;
}

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QListView* List(const QString& name, QWidget* parent) {
    auto* list = new QListView(parent);
    list->setObjectName(name);
    list->setUniformItemSizes(true);  // a list of every bit opens without measuring each line
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return list;
}

QLineEdit* Box(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QString Indexed(const char* name, int index) {
    return QString("%1_%2").arg(name).arg(index);
}

void ShowLine(QListView* view, int line) {
    const QModelIndex current = view->currentIndex();
    if ((current.isValid() ? current.row() : -1) == line) {
        return;
    }
    view->setCurrentIndex(line < 0 ? QModelIndex() : view->model()->index(line, 0));
    if (line < 0) {
        view->clearSelection();
    }
}

}  // namespace page_controls

}  // namespace veldra
