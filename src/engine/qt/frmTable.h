#pragma once

#include <QWidget>
#include <string>

#include "panels/table_window.h"
#include "platform/qt/window_registry.h"

class QListView;
class QTableView;

namespace veldra {

class CoreListModel;
class Table;
class TableGridModel;

// The window of one state table: its states as a grid, its trigger bits, and the state
// the table chose last highlighted as the table solves. It stands among the program's
// loaded windows and answers the board-panel protocol through its core half. Closed by
// hand it only minimises; it goes for good when the program is closed.
class frmTable final : public QWidget {
    Q_OBJECT

public:
    frmTable(WindowRegistry& windows, Table& table, QWidget* parent = nullptr);
    ~frmTable() override;

    // The window as a loaded window.
    BoardPanel& Panel() { return panel_; }
    // Held, the window gathers the table's changes; let go, it shows them at once.
    void HoldChanges(bool held);

Q_SIGNALS:
    // A trigger bit was double-clicked: its statement is to be opened.
    void bitAssignAsked(const QString& BitName);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class LoadedWindow final : public BoardPanel {
    public:
        explicit LoadedWindow(frmTable& window) : window_(window) {}
        std::string Name() const override { return window_.contents_.Name(); }
        std::string Caption() const override;
        int BitCount() const override { return window_.contents_.BitCount(); }
        void CloseWindow(bool close) override;
        bool Closed() const override { return window_.contents_.Closed(); }

    private:
        frmTable& window_;
    };

    void Sync();
    void SizeColumns();
    // The chosen state's row stays selected across every column, whatever is clicked.
    void ReselectActiveRow();

    TableWindow contents_;
    Subscription changed_;
    LoadedWindow panel_{*this};
    WindowRegistry::Registration registration_;
    QTableView* grdTable_ = nullptr;
    TableGridModel* grid_ = nullptr;
    QListView* lstTriggers_ = nullptr;
    CoreListModel* triggers_ = nullptr;
    int shownVersion_ = -1;  // the contents' version the grid and trigger list show
    bool reselecting_ = false;
    bool fitted_ = false;
};

}  // namespace veldra
