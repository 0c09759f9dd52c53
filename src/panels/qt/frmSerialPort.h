#pragma once

#include <vector>

#include "links/qt/link_button.h"
#include "links/serial_link.h"
#include "panels/qt/board_form.h"
#include "platform/event.h"

class QPushButton;
class QTabBar;

namespace veldra {

class SerialPortPanel;

// frmSerialPort: the window of a serial station, in bits under "INPUTS" and out bits
// under "OUTPUTS", 32 rows to a page and one tab per page. A click on an in bit toggles it
// for the next scan; the right button opens a bit's statement.
class frmSerialPort final : public BoardForm {
    Q_OBJECT

public:
    static constexpr int kInColumn = 0;
    static constexpr int kOutColumn = 1;

    explicit frmSerialPort(SerialPortPanel& half);

    links::PeerLink& Link() { return button_->Link(); }
    // Asks the peer station for all its bits again when linked.
    Q_INVOKABLE void RefreshTCP();

private:
    void MakeLink();
    void RequestUpdate();

    void Draw() override;
    bool RowPressed(int column, int row, Qt::MouseButton button) override;
    void RowReleased(int column, int row, Qt::MouseButton button, bool over) override;
    void ShowPage(std::vector<Row>& rows);

    SerialPortPanel& half_;
    QTabBar* tabs_ = nullptr;
    std::vector<Row> ins_;
    std::vector<Row> outs_;
    links::SerialLink serialLink_;
    links::LinkButton* button_ = nullptr;
    Subscription outBitChanged_;
};

}  // namespace veldra
