#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/bit_status_rows.h"
#include "logic/boolean_bits.h"
#include "platform/event.h"

namespace veldra {

class ProgramEngine;

// The "Bit Status" page: one grid row per Boolean bit, green while the bit is True, a
// snapshot of the numeric bits' values, and the finder that brings a bit into view.
class BitStatusPage {
public:
    // The back colour of a True bit's cell (red 0, green 192, blue 0); a False bit's
    // cell has the grid's own colour.
    static constexpr unsigned kTrueBackColour = 0x00C000;
    static constexpr const char* kNotFoundPrompt = "Bit Name not found";

    struct Row {
        std::string name;
        bool value = false;
    };

    explicit BitStatusPage(ProgramEngine& engine);
    ~BitStatusPage();
    BitStatusPage(const BitStatusPage&) = delete;
    BitStatusPage& operator=(const BitStatusPage&) = delete;

    // Takes the grid rows as load completion built them; the row of a bit is its vIndex.
    void DisplaysChanged();
    // The page is shown: every row takes its bit's colour, the numeric values are read
    // once, and from now on each change of a bit colours its row at once.
    void Enter();
    // Another page is shown: rows keep their colours until the page is entered again.
    void Leave();
    bool Shown() const { return shown_; }

    // Every row as its bit last coloured it.
    const std::vector<Row>& Rows();
    // One row's colour, as Rows() gives it, without the names: while the page is shown, read
    // from the bits' own values.
    bool RowValue(std::size_t row) const;
    std::size_t RowCount() const { return rows_.size(); }
    const std::string& RowName(std::size_t row) const { return rows_[row].name; }
    // The rows the grid has in sight, first to last (-1 for none): only a change of one of
    // them is told of (ChangesWaiting) and taken; a row out of sight is read as it comes in.
    void SetRowsInSight(int first, int last);
    // The rows in sight whose bits changed since the last take, each once, first to last.
    std::vector<int> TakeRowsChangedInSight();
    // "name = value" of every numeric bit, in list order, as read on entering the page.
    const std::vector<std::string>& NumericLines() const { return numericLines_; }

    // The grid's first visible row and its current row; -1 when there is none.
    int TopRow() const { return topRow_; }
    int CurrentRow() const { return currentRow_; }
    // The current line of the numeric list; -1 when none.
    int NumericLine() const { return numericLine_; }
    // The engineer clicked a row or a numeric line: the next search goes on from there.
    void SetCurrentRow(int row);
    void SetNumericLine(int line);

    // "Find": a bit of exactly that name is shown; otherwise the next bit, in the
    // program's order after the one found or clicked last, whose name contains the
    // text, starting again at the first when none follows. Letter case is ignored.
    void Find(std::string_view text);

    // Raised after anything shown here changed but a row's colour.
    Event<> Changed;
    // Raised as the first change of a row in sight waits to be taken, once until it is.
    Event<> ChangesWaiting;

private:
    void Follow();
    void StopFollowing();
    bool Following() const;
    void Show(const BooleanBit& bit, int position);
    int PositionOf(std::string_view name) const;

    ProgramEngine& engine_;
    std::vector<Row> rows_;  // each value as of the last Rows()
    // By row, while the page is not shown: the colours as it was left.
    std::vector<std::uint8_t> values_;
    std::vector<std::string> numericLines_;
    bool shown_ = false;
    int topRow_ = -1;
    int currentRow_ = -1;
    int numericLine_ = -1;
    int lastFound_ = 0;  // the program position of the bit found or clicked last
    // The bits whose rows the page shows while it is shown, and those rows.
    BooleanBits* followed_ = nullptr;
    BitStatusRows shownRows_;
    int firstInSight_ = 0;
    int lastInSight_ = -1;
};

}  // namespace veldra
