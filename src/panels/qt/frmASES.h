#pragma once

#include <array>

#include "panels/qt/board_form.h"

class QCheckBox;
class QListWidget;

namespace veldra {

class ASESPanel;

// frmASES: the window of an encoder board, five channel frames one under the other, each
// with the box of the channel's enable bit and the list of its control bits that are up.
class frmASES final : public BoardForm {
    Q_OBJECT

public:
    explicit frmASES(ASESPanel& half);

private:
    static constexpr int kChannels = 5;

    void Draw() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ClickChannel(int channel);

    ASESPanel& half_;
    std::array<QCheckBox*, kChannels> boxes_{};
    std::array<QListWidget*, kChannels> lists_{};
};

}  // namespace veldra
