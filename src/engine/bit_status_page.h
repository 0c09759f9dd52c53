#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/event.h"

namespace veldra {

class BooleanBit;
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

    // Takes the grid rows as load completion built them; the row of a bit is its vIndex.
    void DisplaysChanged();
    // The page is shown: every row takes its bit's colour, the numeric values are read
    // once, and from now on each change of a bit colours its row at once.
    void Enter();
    // Another page is shown: rows keep their colours until the page is entered again.
    void Leave();
    bool Shown() const { return shown_; }

    const std::vector<Row>& Rows() const { return rows_; }
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

    // Called after anything shown here changed but a row's colour.
    std::function<void()> changed;
    // Called after one row took its bit's new colour while the page is shown.
    std::function<void(int row)> rowChanged;

private:
    void Follow();
    void BitChanged(int row, bool value);
    void Show(const BooleanBit& bit, int position);
    int PositionOf(std::string_view name) const;
    void Changed();

    ProgramEngine& engine_;
    std::vector<Row> rows_;
    std::vector<std::string> numericLines_;
    bool shown_ = false;
    int topRow_ = -1;
    int currentRow_ = -1;
    int numericLine_ = -1;
    int lastFound_ = 0;  // the program position of the bit found or clicked last
    Subscription bitChanged_;
};

}  // namespace veldra
