#pragma once

#include <QWidget>
#include <string>
#include <unordered_map>
#include <vector>

#include "panels/board_window.h"
#include "platform/event.h"
#include "platform/panel_controls.h"

class QCheckBox;
class QLabel;

namespace veldra {

class LampWidget;

// The drawing of a board window's half, and what every board window shares on screen:
// the "Enabled" box and the label repeating the caption, rows of a name label with its
// lamp, the border on a row while a button is held on it, the caption, and a frame that
// only minimises when closed by hand and keeps within the half's size limits. Every click
// goes to the half; the drawing follows the half once per turn of the event loop however
// many changes arrived, so a scan that changes many bits costs one look at each row of the
// boards it touched.
class BoardForm : public QWidget {
    Q_OBJECT

public:
    ~BoardForm() override;

    BoardWindow& Half() const { return half_; }

    // The window has been given its frame: its size follows the half from now on.
    void Placed();
    // Brings the drawing up to the half now instead of at the next turn.
    void DrawNow();

    // The size the half gives the window, less the frame: what arranging the main
    // window's children gives it.
    QSize sizeHint() const override;

protected:
    BoardForm(BoardWindow& half, const char* name);

    // Draws what the half holds; called once per turn after changes.
    virtual void Draw() = 0;
    // The frame was resized to this many twips.
    virtual void FrameResized(WindowSize size) { (void)size; }

    // The row a mouse button went down on, and came up from; `over` tells whether it came
    // up over the control it went down on. A subclass asks its half what they do.
    virtual bool RowPressed(int column, int row, Qt::MouseButton button) {
        (void)column, (void)row, (void)button;
        return false;
    }
    virtual void RowReleased(int column, int row, Qt::MouseButton button, bool over) {
        (void)column, (void)row, (void)button, (void)over;
    }

    // The "Enabled" box and the board-name label, and a label or line of the design.
    void AddHeader();
    QLabel* AddLabel(const char* name, int left, int top, int width, int height,
                     const char* text = "");
    void AddLine(const char* name, int left, int top, int right, int bottom);
    // Caption, box and board-name label as the half holds them.
    void DrawHeader();
    // The width inside the window at the largest the half lets it be, in pixels.
    int WidestInside() const;

    // A row of one column: its name label and the lamp to its left.
    struct Row {
        QLabel* label = nullptr;
        LampWidget* lamp = nullptr;
        std::string caption;
    };
    // Makes row `index` of a column whose labels stand at `left`, `width` wide; the labels
    // are named prefix_index, the lamps lampPrefix_index.
    Row MakeRow(int column, int index, const IndicatorRow& design, int left, int width,
                const char* labelPrefix, const char* lampPrefix);
    // Caption, tool tip and lamp of a row as the half holds them.
    static void DrawRow(Row& row, const IndicatorRow& shown);
    // Draws one row whose lamp alone changed, if it is drawn already; the Changed that
    // follows then needs no drawing of the whole window.
    void DrawLamp(std::vector<Row>& drawn, const std::vector<IndicatorRow>& rows, int row);
    // Gives every row of `rows` its drawing, making the ones missing.
    void DrawColumn(std::vector<Row>& drawn, const std::vector<IndicatorRow>& rows, int column,
                    int left, int width, const char* labelPrefix, const char* lampPrefix);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void HalfChanged();
    void ApplySize();
    void ShowBorder(QWidget* pressed, bool shown);

    BoardWindow& half_;
    Subscription changed_;
    bool drawPending_ = false;
    bool lampDrawn_ = false;
    QCheckBox* enabledBox_ = nullptr;
    QLabel* boardName_ = nullptr;
    QWidget* frame_ = nullptr;
    WindowSize shownSize_;
    WindowSize shownLimit_;
    QWidget* bordered_ = nullptr;
    bool secondPress_ = false;
    // Where each row control stands, for the clicks on it: looked up here rather than kept as
    // properties of the controls, which cost an event each to set on thousands of them.
    struct RowPlace {
        int column;
        int row;
    };
    std::unordered_map<const QObject*, RowPlace> rowPlaces_;
};

}  // namespace veldra
