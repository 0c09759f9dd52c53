#pragma once

#include <vector>

#include "panels/qt/board_form.h"

class QLabel;

namespace veldra {

class InOutBoardPanel;
class IOBoardPanel;

// frmIOBoard: the window of an I/O board whose bits all go one way, one row per bit under
// the heading "INPUTS" or "OUTPUTS".
class frmIOBoard final : public BoardForm {
    Q_OBJECT

public:
    explicit frmIOBoard(IOBoardPanel& half);

private:
    void Draw() override;
    bool RowPressed(int column, int row, Qt::MouseButton button) override;
    void RowReleased(int column, int row, Qt::MouseButton button, bool over) override;

    IOBoardPanel& half_;
    QLabel* heading_ = nullptr;
    std::vector<Row> rows_;
    Subscription lampShown_;
};

// frmInOutBoard: the window of a mixed I/O board, inputs in the left column and outputs
// in the right, input row i level with output row i.
class frmInOutBoard final : public BoardForm {
    Q_OBJECT

public:
    static constexpr int kInputColumn = 0;
    static constexpr int kOutputColumn = 1;

    explicit frmInOutBoard(InOutBoardPanel& half);

private:
    void Draw() override;
    bool RowPressed(int column, int row, Qt::MouseButton button) override;
    void RowReleased(int column, int row, Qt::MouseButton button, bool over) override;

    InOutBoardPanel& half_;
    std::vector<Row> inputs_;
    std::vector<Row> outputs_;
    Subscription lampShown_;
};

}  // namespace veldra
