#include "panels/qt/frmSerialPort.h"

#include <QLabel>
#include <QPushButton>
#include <QTabBar>

#include "links/qt/frmConnect.h"
#include "panels/qt/board_controls.h"
#include "panels/serial_port_panel.h"
#include "platform/qt/lamp.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"

namespace veldra {
namespace {}  // namespace

frmSerialPort::frmSerialPort(SerialPortPanel& half)
    : BoardForm(half, "frmSerialPort"), half_(half), serialLink_(half) {
    AddHeader();
    link_ = new links::PeerLink(this);
    linkButton_ = new QPushButton(QStringLiteral("Link"), this);
    linkButton_->setObjectName(QStringLiteral("cmdLink"));
    linkButton_->setGeometry(RectFromTwips(120, 900, 735, 255));
    chooseLink = [this] { return links::frmConnect::Ask(this); };
    link_->log = [](const std::string& line) { qWarning("%s", line.c_str()); };
    connect(linkButton_, &QPushButton::clicked, this, &frmSerialPort::ClickLink);
    connect(link_, &links::PeerLink::LinkUp, this, &frmSerialPort::RequestUpdate);
    connect(link_, &links::PeerLink::LinkDown, this,
            [this] { linkButton_->setText(QStringLiteral("Link")); });
    link_->onRecords = [this](const std::vector<links::Received>& records) {
        if (serialLink_.Receive(records, link_->log)) {
            link_->Buffer().Replace(serialLink_.OutRecords(false));
            link_->ScheduleSend();
        }
    };
    // Every change sends the whole set of out bits, the False ones first.
    outBitChanged_ = half_.OutBitChanged.Subscribe([this](std::string_view, bool) {
        if (!link_->IsConnected())
            return;
        link_->Buffer().Replace(serialLink_.OutRecords(true));
        link_->ScheduleSend();
    });
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

void frmSerialPort::ClickLink() {
    if (linkButton_->text() == QLatin1String("Close")) {
        linkButton_->setText(QStringLiteral("Link"));
        link_->Close();
        return;
    }
    const std::optional<links::LinkChoice> choice = chooseLink ? chooseLink() : std::nullopt;
    if (!choice)
        return;
    if (choice->server) {
        const QHostAddress address = choice->address.isEmpty() ? QHostAddress(QHostAddress::Any)
                                                               : QHostAddress(choice->address);
        if (!link_->Listen(address, choice->port))
            return;
    } else {
        link_->ConnectTo(choice->address, choice->port);
    }
    linkButton_->setText(QStringLiteral("Close"));
}

void frmSerialPort::RequestUpdate() {
    link_->Buffer().Request();
    link_->ScheduleSend();
}

void frmSerialPort::RefreshTCP() {
    if (link_->IsConnected())
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
