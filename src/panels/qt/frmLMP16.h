#pragma once

#include <vector>

#include "panels/qt/board_form.h"

class QCheckBox;
class QLabel;

namespace veldra {

class Lamp16Panel;

// frmLMP16: the window of a lamp driver ("LAMP16", "LED12", "LED6"). Each lamp is a row:
// its lamp-on output with the lamp the logic lights, and beside it the box of its
// lamp-out bit, a light-out bit on a "LAMP16" board and a lamp-good bit on an LED board.
class frmLMP16 final : public BoardForm {
    Q_OBJECT

public:
    explicit frmLMP16(Lamp16Panel& half);

private:
    void Draw() override;
    void RowReleased(int column, int row, Qt::MouseButton button, bool over) override;
    void ClickBox(int row);

    Lamp16Panel& half_;
    QLabel* namesHeading_ = nullptr;
    QLabel* boxHeading_ = nullptr;
    std::vector<Row> rows_;
    // One per row; none for a spare row after the first, which has no box.
    std::vector<QCheckBox*> boxes_;
};

}  // namespace veldra
