#pragma once

#include <array>
#include <vector>

#include "panels/qt/board_form.h"

class QCheckBox;
class QGroupBox;

namespace veldra {

class MXLampPanel;

// frmMXLamp: the window of a two-head signal lamp board. Each head's frame holds its lamp
// bit and its aspects, each aspect with its light-out box; the head's "Enabled" box lies
// over the frame's top, outside it, so that it stays usable while the frame is disabled.
// Below the heads stand the board's two inputs.
class frmMXLamp final : public BoardForm {
    Q_OBJECT

public:
    explicit frmMXLamp(MXLampPanel& half);

private:
    static constexpr int kHeads = 2;
    // The columns of rows the common behaviour reports presses and releases for.
    static int AspectColumn(int head) { return head - 1; }
    static int LampColumn(int head) { return kHeads + head - 1; }
    static int InputColumn(int input) { return 2 * kHeads + input - 1; }

    struct HeadDrawing {
        QGroupBox* frame = nullptr;
        QCheckBox* headBox = nullptr;
        Row lamp;
        std::vector<Row> rows;
        // One per aspect row; none for a spare row after the first.
        std::vector<QCheckBox*> lightOut;
    };

    void Draw() override;
    bool RowPressed(int column, int row, Qt::MouseButton button) override;
    void RowReleased(int column, int row, Qt::MouseButton button, bool over) override;

    void MakeHead(int head, int top);
    // A row of the common behaviour, moved into a head's frame and renamed.
    Row FrameRow(QWidget* frame, int column, int index, int top, int left, int width,
                 const QString& label, const QString& lamp);
    void DrawHead(int head);

    MXLampPanel& half_;
    std::array<HeadDrawing, kHeads> heads_;
    std::array<Row, kHeads> inputs_;
};

}  // namespace veldra
