#include "panels/qt/frmSerialPort.h"

#include <QLabel>
#include <QPushButton>
#include <QTabBar>

#include "panels/qt/board_controls.h"
#include "panels/serial_port_panel.h"
#include "platform/qt/lamp.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"

namespace veldra {

frmSerialPort::frmSerialPort(SerialPortPanel& half)
    : BoardForm(half, "frmSerialPort"), half_(half), serialLink_(half) {
    AddHeader();
    MakeLink();
    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("tbBits"));
    tabs_->setGeometry(RectFromTwips(120, 480, 2880, 375));
    tabs_->setExpanding(false);
    AddLabel("Label1", 480, 1200, 975, 255, "INPUTS");
    AddLabel("Label2", 1800, 1200, 975, 255, "OUTPUTS");
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && index + 1 != half_.SelectedTab()) {
            half_.SelectTab(index + 1);
        }
    });
    DrawNow();
}

void frmSerialPort::MakeLink() {
    auto* button = new QPushButton(this);
    button->setObjectName(QStringLiteral("cmdLink"));
    button->setGeometry(RectFromTwips(120, 900, 735, 255));
    const auto stationName = [this] {
        const std::string caption = half_.Caption();
        return caption.substr(0, caption.find(" : "));
    };
    button_ = new links::LinkButton(*button, *this, stationName, half_.LineWriter());
    links::PeerLink* link = &button_->Link();
    // The client is told the link is up, and asks for the peer's bits once the user has
    // seen it; the server asks at once, so that each side starts from the other's bits.
    connect(link, &links::PeerLink::Connected, this, [this] {
        button_->TellLater({"Link Active", MsgButtons::Ok, MsgIcon::None, "Remote Link Status"},
                           [this] {
                               if (Link().IsConnected())
                                   RequestUpdate();
                           });
    });
    connect(link, &links::PeerLink::Accepted, this, &frmSerialPort::RequestUpdate);
    // A server whose peer leaves listens on for the next; a client's link has ended.
    connect(link, &links::PeerLink::PeerClosed, this, [this] {
        if (Link().IsServer())
            return;
        button_->End();
        button_->TellLater({"Link Closed", MsgButtons::Ok, MsgIcon::None, "Remote Link Status"});
    });
    link->Serve([this](const auto& records,
                       const auto& refused) { return serialLink_.Receive(records, refused); },
                [this] { return serialLink_.OutRecords(false); });
    // Every change sends the whole set of out bits, the False ones first.
    outBitChanged_ = half_.OutBitChanged.Subscribe([this, link](std::string_view, bool) {
        if (!link->IsConnected())
            return;
        link->Send(serialLink_.OutRecords(true));
    });
}

void frmSerialPort::RequestUpdate() {
    Link().Request();
}

void frmSerialPort::RefreshTCP() {
    if (Link().IsConnected())
        RequestUpdate();
}

void frmSerialPort::Draw() {
    DrawHeader();
    const std::vector<std::string>& tabs = half_.Tabs();
    while (tabs_->count() < int(tabs.size())) {
        tabs_->addTab(ToQString(tabs[std::size_t(tabs_->count())]));
    }
    tabs_->setCurrentIndex(half_.SelectedTab() - 1);
    DrawColumn(ins_, half_.InRows(), kInColumn, 480, 1215, "lblInput", "imgIn");
    DrawColumn(outs_, half_.OutRows(), kOutColumn, 2040, 1095, "lblOut", "imgOut");
    ShowPage(ins_);
    ShowPage(outs_);
}

// Only the selected page's rows are on view; they all stand at their page's places.
void frmSerialPort::ShowPage(std::vector<Row>& rows) {
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const bool onView = half_.OnView(int(n));
        rows[n].label->setVisible(onView);
        if (!onView) {
            rows[n].lamp->SetImage(LampImage::Parked);
        }
    }
}

bool frmSerialPort::RowPressed(int column, int row, Qt::MouseButton button) {
    (void)button;
    return column == kInColumn && half_.ShowsBorder(row);
}

void frmSerialPort::RowReleased(int column, int row, Qt::MouseButton button, bool over) {
    if (column == kOutColumn) {
        half_.MouseUpOut(row, MouseButtonOf(button));
        return;
    }
    half_.MouseUpIn(row, MouseButtonOf(button));
    // The right button's click only clears the mark its release left.
    if (button == Qt::RightButton || (button == Qt::LeftButton && over)) {
        half_.ClickIn(row);
    }
}

}  // namespace veldra
