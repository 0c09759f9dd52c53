#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/board_panel.h"
#include "platform/event.h"
#include "platform/qt/timer_driver.h"
#include "platform/qt/window_registry.h"
#include "platform/timer.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTableView;

namespace veldra {

class frmProgram;
class Statements;
class StatementsModel;

// The statements list: every logic statement of the loaded program, one row each, the
// text wrapped to the window's width and the expression green while the statement's
// result is True. The engineer narrows it to the statements whose text holds a filter
// text, hides single statements, and opens a statement by double-clicking its row. One
// list at a time; the main window makes and fills it.
class frmStatements final : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kClassName = "frmStatements";
    static constexpr int kFixWindowInterval = 100;

    frmStatements(WindowRegistry& windows, frmProgram& program, QWidget* parent = nullptr);
    ~frmStatements() override;

    // Fills the grid with one row per statement of the program, in order, measures the
    // rows' text once and starts the first layout pass.
    void Fill();
    // Stores the width of every row's expression text for the layout passes.
    void SetArray();

    // "Filter" (index 1) and "Show All" (index 0).
    void optFilter_Click(int index);
    // The right button on the grid while "Filter" is chosen: asks, for each chosen row,
    // whether to hide its statement.
    void HideChosenRows();
    // A double-click on a row: opens the statement of that row.
    void ShowStatementOf(int row);

    // The layout pass, one tick after the last resize, filter or hide: wraps each shown
    // row to the window's width, hides the filtered ones and maps the statements' keys to
    // their rows.
    Timer tmrFixWindow{kFixWindowInterval, [this] { tmrFixWindow_Timer(); }};

Q_SIGNALS:
    // The list closed: the main window may open another.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The list in the registry of open windows: it shows no bits, and a close for good
    // closes it.
    class OpenWindow final : public BoardPanel {
    public:
        explicit OpenWindow(frmStatements& window) : window_(window) {}
        std::string Name() const override { return kClassName; }
        std::string Caption() const override;
        void CloseWindow(bool close) override;
        bool Closed() const override { return window_.closed_; }

    private:
        frmStatements& window_;
    };

    void BuildWindow();
    void tmrFixWindow_Timer();
    // A solved statement's new result: its row's expression cell follows.
    void MyStat_StatementChanged(std::string_view key);
    Statements* MyStat() const;

    WindowRegistry& windows_;
    QPointer<frmProgram> program_;
    OpenWindow panel_{*this};
    std::unique_ptr<WindowRegistry::Registration> registration_;
    TimerDriver fixWindowDriver_{tmrFixWindow};
    Subscription statementChanged_;
    bool closed_ = false;

    StatementsModel* model_ = nullptr;
    QTableView* grdState_ = nullptr;
    QLineEdit* txtFilter_ = nullptr;
    std::array<QRadioButton*, 2> optFilter_{};
    QCheckBox* chkAutoSize_ = nullptr;

    int lineHeight_ = 0;
    std::vector<int> rowWidths_;
    // What the last layout pass gave each row, so that a pass touches only the rows
    // whose height or visibility changes.
    std::vector<int> rowHeights_;
    std::vector<bool> rowHidden_;
    // The row of each statement's key, as the last layout pass found them.
    std::unordered_map<std::string, int, CaseInsensitiveHash, CaseInsensitiveEqual> rowMap_;
};

}  // namespace veldra
