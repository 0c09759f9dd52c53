#pragma once

#include <array>

#include "engine/qt/program_page_frame.h"
#include "platform/event.h"

class QLineEdit;
class QListView;
class QTableView;

namespace veldra {

class CoreListModel;
class StatusGridModel;

// The bit status page: every bit of the program in a grid, green while True, whose
// double-clicked row asks for the bit's statement; a snapshot of the numbers; and a
// finder that moves the grid to a bit named by the engineer.
class BitStatusFrame final : public ProgramPageFrame {
    Q_OBJECT

public:
    BitStatusFrame(ProgramEngine& engine, ProgramPages& pages, QWidget* parent);

    // The grid's rows were rebuilt for a program's bits (none when it closed).
    void Rebuild();
    // The page was entered: the grid takes its bits' colours and the numbers are read.
    void Entered();
    // Follows the finder: the current and top row and the chosen number.
    void SyncFinder();

private:
    void SizeStatusGrid();

    QTableView* grdStatus_ = nullptr;
    StatusGridModel* statusGrid_ = nullptr;
    QListView* lstNumericStat_ = nullptr;
    CoreListModel* numericStat_ = nullptr;
    QLineEdit* txtBit_ = nullptr;
    // The finder as last shown: top row, current row, number line, number lines.
    std::array<int, 4> shownFinder_{-2, -2, -2, -2};
    Subscription changed_;
};

}  // namespace veldra
