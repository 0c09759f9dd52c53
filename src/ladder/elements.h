#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/hash_growth.h"

namespace veldra {

class BooleanBits;
class Elements;
class LadderDrawing;

// One cell of a statement's ladder: a contact (front or back) of an operand bit, an
// output coil, a plain wire, or an empty connector that only carries branch lines. It
// draws itself on the drawing it is handed and never on its own: a change of value only
// takes effect at the next drawing call. Geometry is in twips at the cell's resolution.
class Element {
public:
    // Twips of one cell at 100 %.
    static constexpr double kWidth = 1560;
    static constexpr double kHeight = 840;
    // Where the lines of a wrapped name start, from the cell's left edge, at 100 %.
    static constexpr double kWrappedNameLeft = 120;

    explicit Element(double resolution = 100);

    // Flags that only the builder and the hosts read; they change no drawing by themselves.
    std::string Name;
    bool LeftorUp = false;
    bool LeftOrDown = false;
    bool RightOrUp = false;
    bool RightOrDown = false;
    bool OpenBrace = false;
    bool CloseBrace = false;
    bool IsOr = false;
    bool IsAnd = false;
    bool IsOutput = false;
    bool IsDrawn = false;
    bool IsRelay = false;
    bool WordWrap = false;
    bool Visio = false;
    std::int32_t PrintStart = 0;
    // A text that stands, on a cell without a name, in place of a rung that cannot be
    // drawn whole; the cell draws nothing else. A note of one line stands level with the
    // rung; one of several lines ("\n" between them) fills its cell from the top.
    std::string Note;
    // Holds open a row that the names of the row above run into, so that it is counted,
    // paged and kept with that row.
    bool NameRoom = false;
    std::int32_t SetTime = 0;
    std::int32_t ClearTime = 0;
    Elements* Parent = nullptr;  // the grid that holds the cell; not owned

    double d_660() const { return 660 * scale_; }
    double d_1560() const { return kWidth * scale_; }
    double d_840() const { return kHeight * scale_; }

    double Resolution() const { return scale_ * 100; }
    // Below 1 is ignored; otherwise the cell is placed again from its row and column.
    void SetResolution(double percent);

    bool Back() const { return back_; }
    void SetBack(bool back);
    bool vValue() const { return value_; }
    // True when the value changed, so that the host knows the cell wants drawing again.
    bool SetvValue(bool value);
    // The contact passes current: the value, inverted on a back contact.
    bool Conducting() const { return value_ != back_; }

    bool hLine() const { return hLine_; }
    // A named cell is a contact or a coil and never turns into a wire.
    void SethLine(bool wire);

    bool IsSelected() const { return selected_; }
    // True when the selection changed; a cell without a name is never selected.
    bool SetIsSelected(bool selected);

    int Row() const { return row_; }
    void SetRow(int row);
    int Col() const { return col_; }
    void SetCol(int col);
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }

    std::int32_t NameWidth() const { return nameWidth_; }
    void SetNameWidth(std::int32_t width) { nameWidth_ = width == 0 ? 1 : width; }
    std::int32_t NameHeight() const { return nameHeight_; }
    void SetNameHeight(std::int32_t height) { nameHeight_ = height == 0 ? 1 : height; }

    // Sets `PrintStart` for a name `width` twips wide printed on one line: centred on the
    // contact's middle, but never nearer the cell's left edge, where a branch line runs,
    // than a small margin while the name fits its cell; a name wider than its cell is
    // centred on it and overhangs both edges.
    void CentreName(double width);

    bool NoBranches() const { return !RightOrDown && !RightOrUp; }
    // Drops a downward join that has nothing above it; true when there was none above.
    bool NoBranches2();
    bool IsOpen() const { return NoBranches() && (!Name.empty() || hLine_); }

    // The cell's lines and arcs. A coil whose bit (looked up in `bits`) has a delay
    // timer is marked "T".
    void UpdateDrawing(LadderDrawing& drawing, const BooleanBits* bits = nullptr) const;
    // The cell's name, staggered on odd columns and wrapped when WordWrap is set: an
    // exclusive-or name breaks after its "@", inside a name only where that name alone
    // is longer than a line, and the lines that find no room above the symbol (contact or
    // coil) go below it, so that the symbol and its slash always show.
    void UpdateName(LadderDrawing& drawing) const;
    // The rows below its own that the cell's wrapped name runs into; 0 when it stands
    // within its own row.
    int NameRowsBelow() const;
    // The selection frame, then the name and the drawing.
    void UpdateSelection(LadderDrawing& drawing, const BooleanBits* bits = nullptr) const;

private:
    double S(double base) const { return base * scale_; }
    void DrawRelay(LadderDrawing& drawing, const BooleanBits* bits) const;
    bool CoilIsTimer(const BooleanBits* bits) const;
    void PrintWrapped(LadderDrawing& drawing, std::string_view text, double offset) const;
    // The text as drawn, the offset of its first line and whether it wraps.
    std::string ShownName() const;
    double NameOffset() const;
    bool Wraps(std::string_view text) const;
    // The top of each of `count` wrapped lines below the top of the cell.
    std::vector<double> LineTops(std::size_t count, double offset) const;

    bool back_ = false;
    bool value_ = false;
    bool hLine_ = false;
    bool selected_ = false;
    int row_ = 0;
    int col_ = 0;
    double currentX_ = 0;
    double currentY_ = 0;
    double nameOffset_ = 0;
    double scale_ = 0;
    std::int32_t nameWidth_ = 0;
    std::int32_t nameHeight_ = 0;
};

// The cells of one ladder, in the order they were added, each under a key text fixed when
// it is added. A cell may be moved afterwards by setting its row and column: its key stays,
// so a key names where the cell was put, not where it is now.
class Elements {
public:
    // Every cell added takes this resolution (the element size in percent).
    explicit Elements(double resolution = 100) : resolution_(resolution) {}
    Elements(const Elements&) = delete;
    Elements& operator=(const Elements&) = delete;

    // The key text of a position: column, a blank and row ("3 0").
    static std::string Key(int col, int row);

    // Adds a cell at (col, row) under `key`, or under the key of that position when `key`
    // is empty. A taken key keeps its cell, which takes the new name and contact flags
    // only (its place, branch lines and wire flag stay).
    Element& Add(std::string_view Name, int Col, int Row, bool OpenBrace = false, bool Back = false,
                 bool IsAnd = false, bool IsOr = false, bool LeftorUp = false,
                 std::string_view key = {});
    // The cell under a key, under the key of a position, or at a 1-based place in the
    // order; none when absent.
    Element* Item(std::string_view key) const;
    Element* Item(int col, int row) const { return Item(Key(col, row)); }
    Element* Item(int position) const;
    int Count() const { return int(cells_.size()); }
    void Remove(std::string_view key);
    void Remove(int col, int row) { Remove(Key(col, row)); }
    // Removes exactly the cell at that place in the order, wherever it has moved since.
    void Remove(int position);
    void Clear();
    // Removes every cell added after the first `count`, at once.
    void KeepFirst(int count);

    // Opens rows below every row whose wrapped names run past it, as many as its tallest
    // name needs: the rows below move down, the lines that cross between the rows run on
    // through the rows opened, and each cell still keyed by the place it was added at is
    // keyed by the place it now stands at. The names take their measures first.
    void MakeRoomForNames();

    // The highest row and column of any cell where it stands now; 0 for an empty grid.
    int Rows() const;
    int Cols() const;

    double CellResolution() const { return resolution_; }

    auto begin() const { return cells_.begin(); }
    auto end() const { return cells_.end(); }

private:
    double resolution_;
    std::vector<std::unique_ptr<Element>> cells_;
    HashMap<std::string, Element*> index_;
};

}  // namespace veldra
