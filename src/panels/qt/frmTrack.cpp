#include "panels/qt/frmTrack.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "panels/code_tester.h"
#include "panels/qt/board_controls.h"
#include "panels/track_panel.h"
#include "platform/qt/lamp.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/timer_driver.h"
#include "platform/qt/twips.h"

namespace veldra {
namespace {

QString EndName(const char* format, TrackSide side) {
    return QString::fromLatin1(format).arg(side == TrackSide::A ? QLatin1Char('A')
                                                                : QLatin1Char('B'));
}

// Arrays of the design take element 1 for end A and element 0 for end B.
QString ElementName(const char* name, TrackSide side) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(side == TrackSide::A ? 1 : 0);
}

void Follow(QCheckBox* box, const CheckBox& shown) {
    box->setChecked(shown.ticked);
    box->setEnabled(shown.usable);
    box->setToolTip(ToQString(shown.toolTip));
}

}  // namespace

frmTrack::frmTrack(TrackPanel& half) : BoardForm(half, "frmTrack"), half_(half), trackLink_(half) {
    AddHeader();
    MakeEnd(TrackSide::A, 480);
    MakeEnd(TrackSide::B, 3360);
    MakeLink(TrackSide::A);
    MakeLink(TrackSide::B);
    half_.SetDrawing(this);
    indicatorsUpdated_ = half_.IndicatorsUpdated.Subscribe([this] { SendAllOutCodes(); });
    // Unticking the shunt on a linked end asks the peer for its codes again.
    shuntChanged_ = half_.ShuntChanged.Subscribe([this](TrackSide side) {
        if (!half_.End(side).shunt.ticked && Link(side).IsConnected())
            RequestCodes(side);
    });
    drivers_[0] = std::make_unique<TimerDriver>(half.tmrLinkA);
    drivers_[1] = std::make_unique<TimerDriver>(half.tmrLinkB);
    DrawNow();
}

frmTrack::~frmTrack() {
    half_.SetDrawing(nullptr);
}

bool frmTrack::RunCodeTester(CodeTester& tester) {
    return frmEcode::Ask(tester, this);
}

bool frmTrack::EndLinked(TrackSide side) const {
    return buttons_[side == TrackSide::A ? 0 : 1]->Link().IsConnected();
}

void frmTrack::MakeLink(TrackSide side) {
    EndControls& end = ends_[side == TrackSide::A ? 0 : 1];
    const auto endName = [this, side] {
        const TrackBoard* board = half_.MyBoard();
        return (board != nullptr ? board->BoardName() + " " : std::string()) +
               (side == TrackSide::A ? "TRACKA" : "TRACKB");
    };
    auto* button = new links::LinkButton(*end.link, *this, endName, half_.LineWriter());
    buttons_[side == TrackSide::A ? 0 : 1] = button;
    links::PeerLink* link = &button->Link();
    const QString procedure = EndName("cmdLink%1_Click", side);
    connect(button, &links::LinkButton::listenFailed, this,
            [procedure](const links::PeerLink::Failure& failure) {
                MsgBox("Error " + std::to_string(failure.number) + " (" +
                           failure.description.toStdString() + ") in procedure " +
                           procedure.toStdString() + " of Form frmTrack",
                       MsgButtons::Ok, MsgIcon::None, "VELDRA");
            });
    connect(link, &links::PeerLink::StatusChanged, this, [label = end.connection, link] {
        // The frame is narrower than the longest state: the tip shows it whole.
        label->setText(link->StatusText());
        label->setToolTip(label->text());
    });
    // Each side asks the other for its codes as the connection is made.
    connect(link, &links::PeerLink::Connected, this, [this, side] { RequestCodes(side); });
    connect(link, &links::PeerLink::Accepted, this, [this, side] { RequestCodes(side); });
    connect(link, &links::PeerLink::PeerClosed, button, &links::LinkButton::End);
    connect(button, &links::LinkButton::LinkStarted, this,
            [this, side] { half_.ShowLinked(side, true); });
    connect(button, &links::LinkButton::LinkEnded, this,
            [this, side] { half_.ShowLinked(side, false); });
    link->Serve(
        [this, side](const auto& records, const auto& refused) {
            return trackLink_.Receive(side, records, refused);
        },
        [this, side] { return trackLink_.OutRecords(side); });
}

void frmTrack::RequestCodes(TrackSide side) {
    Link(side).Request();
}

void frmTrack::RefreshTCP() {
    for (const TrackSide side : {TrackSide::A, TrackSide::B}) {
        if (Link(side).IsConnected())
            RequestCodes(side);
    }
}

// One changed out code sends every out code of both ends with its value now.
void frmTrack::SendAllOutCodes() {
    if (!half_.OutCodesChanged)
        return;
    half_.OutCodesChanged = false;
    for (const TrackSide side : {TrackSide::A, TrackSide::B}) {
        Link(side).Send(trackLink_.OutRecords(side));
    }
}

void frmTrack::MakeEnd(TrackSide side, int top) {
    EndControls& end = ends_[side == TrackSide::A ? 0 : 1];
    const bool a = side == TrackSide::A;
    end.frame = Named(new QGroupBox(this), EndName("fraTrack%1", side),
                      RectFromTwips(120, top, 3255, 2775));
    QWidget* frame = end.frame;
    end.lamp = new LampWidget(frame, QColor(0, 255, 0));
    end.lamp->setObjectName(ElementName("imgOn", side));
    end.lamp->move(RectFromTwips(1080, 240, 0, 0).topLeft());
    end.adjustment = Named(new QLabel(QStringLiteral("SPARE"), frame), EndName("lblAdj%1", side),
                           RectFromTwips(1440, 240, 1695, 255));
    end.enabled = Named(new QCheckBox(QStringLiteral("Enabled"), frame),
                        EndName("chk%1Enabled", side), RectFromTwips(120, 500, 1800, 255));
    end.delay = Named(new QCheckBox(QStringLiteral("Disable Code Delay"), frame),
                      EndName("chk%1Delay", side), RectFromTwips(120, 760, 3000, 255));
    end.shunt = Named(new QCheckBox(QStringLiteral("SHUNT TRACK"), frame),
                      ElementName("chkShunt", side), RectFromTwips(120, 1020, 1800, 255));
    end.status = Named(new QLabel(QStringLiteral("SHUNT"), frame), EndName("lbl%1Status", side),
                       RectFromTwips(1920, 1020, 1215, 255));
    Named(new QLabel(QStringLiteral("Received Code"), frame),
          QLatin1String(a ? "Label1" : "Label3"), RectFromTwips(120, 1280, 1380, 255));
    end.received = Named(new QLabel(frame), EndName("lbl%1RecCode", side),
                         RectFromTwips(1500, 1280, 1635, 255));
    end.transmitHeading =
        Named(new QLabel(QStringLiteral("TRANSMIT"), frame), QLatin1String(a ? "Label2" : "Label4"),
              RectFromTwips(120, 1540, 1380, 255));
    end.transmitted =
        Named(new QLabel(frame), EndName("lblTrans%1", side), RectFromTwips(1500, 1540, 1635, 255));
    end.handCodes = Named(new QListWidget(frame), EndName("lstRec%1", side),
                          RectFromTwips(240, 1800, 2535, 450));
    end.rec = Named(new QPushButton(QStringLiteral("Change Received Code"), frame),
                    ElementName("cmdRec", side), RectFromTwips(240, 1800, 2535, 495));
    end.handCodes->hide();
    end.rec->hide();
    end.link = Named(new QPushButton(QStringLiteral("Link"), frame), EndName("cmdLink%1", side),
                     RectFromTwips(120, 2400, 675, 315));
    // The label reaches the frame's edge: "TCP/IP Connection: Connecting" is its widest.
    end.connection = Named(new QLabel(QStringLiteral("TCP/IP Connection: Closed"), frame),
                           EndName("lblTCP%1", side), RectFromTwips(840, 2430, 2385, 255));
    for (QLabel* label : {end.adjustment, end.transmitHeading, end.transmitted}) {
        label->installEventFilter(this);
    }

    // A box the drawing only brings up to the half is no click of the user's.
    connect(end.enabled, &QCheckBox::toggled, this, [this, side](bool ticked) {
        if (ticked != half_.End(side).enabled.ticked) {
            half_.ClickEndEnabled(side);
        }
    });
    connect(end.delay, &QCheckBox::toggled, this, [this, side](bool ticked) {
        if (ticked != half_.End(side).delay.ticked) {
            half_.ClickDelay(side);
        }
    });
    connect(end.shunt, &QCheckBox::toggled, this, [this, side](bool ticked) {
        if (ticked != half_.End(side).shunt.ticked) {
            half_.ClickShunt(side);
        }
    });
    connect(end.handCodes, &QListWidget::itemClicked, this,
            [this, side, list = end.handCodes](QListWidgetItem* item) {
                half_.ClickHandCode(side, list->row(item));
            });
    connect(end.rec, &QPushButton::clicked, this, [this, side] { half_.ClickRec(side); });
}

void frmTrack::Draw() {
    DrawHeader();
    DrawEnd(TrackSide::A);
    DrawEnd(TrackSide::B);
}

void frmTrack::DrawEnd(TrackSide side) {
    EndControls& end = ends_[side == TrackSide::A ? 0 : 1];
    const TrackEndView& shown = half_.End(side);
    end.frame->setTitle(ToQString(shown.frameCaption));
    end.adjustment->setText(ToQString(shown.adjustment.caption));
    end.adjustment->setToolTip(ToQString(shown.adjustment.toolTip));
    end.lamp->SetImage(shown.adjustment.lamp);
    Follow(end.enabled, shown.enabled);
    Follow(end.delay, shown.delay);
    Follow(end.shunt, shown.shunt);
    // A disabled end keeps its "Enabled" box, so that it can be enabled again.
    for (QWidget* control : end.frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != end.enabled && control != end.delay && control != end.shunt) {
            control->setEnabled(shown.frameEnabled);
        } else if (control != end.enabled && !shown.frameEnabled) {
            control->setEnabled(false);
        }
    }
    end.status->setText(ToQString(shown.status));
    end.received->setText(ToQString(shown.received));
    end.received->setToolTip(end.received->text());
    end.transmitted->setText(ToQString(shown.transmitted));
    end.transmitted->setToolTip(end.transmitted->text());
    if (end.listed != int(shown.handCodes.size())) {
        end.listed = int(shown.handCodes.size());
        end.handCodes->clear();
        for (const std::string& code : shown.handCodes) {
            end.handCodes->addItem(ToQString(code));
        }
    }
    end.handCodes->setVisible(half_.Made() && half_.HandEntryByList() && !shown.linked);
    end.rec->setVisible(half_.Made() && !half_.HandEntryByList() && !shown.linked);
}

bool frmTrack::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const MouseButton button = MouseButtonOf(mouse->button());
        for (const TrackSide side : {TrackSide::A, TrackSide::B}) {
            const EndControls& end = ends_[side == TrackSide::A ? 0 : 1];
            if (watched == end.adjustment) {
                half_.MouseUpAdjustment(side, button);
                return true;
            }
            if (watched == end.transmitHeading || watched == end.transmitted) {
                half_.MouseUpTransmit(side, button);
                return true;
            }
        }
    }
    return BoardForm::eventFilter(watched, event);
}

// --- The code tester.

frmEcode::frmEcode(CodeTester& tester, QWidget* parent) : QDialog(parent), tester_(tester) {
    setObjectName(QStringLiteral("frmEcode"));
    setWindowTitle(QStringLiteral("ECode Track Tester"));
    setFixedSize(SizeFromTwips(4560, 3300));
    auto* combinational = Named(new QGroupBox(QStringLiteral("COMBINATIONAL RATES"), this),
                                QStringLiteral("Frame1"), RectFromTwips(120, 120, 2280, 2415));
    auto* exclusive = Named(new QGroupBox(QStringLiteral("EXCLUSIVE RATES"), this),
                            QStringLiteral("fraFrame1"), RectFromTwips(2520, 120, 1920, 2415));
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i] =
            Named(new QCheckBox(QLatin1String(CodeTester::kCombinational[i]), combinational),
                  QStringLiteral("chkNonVital_%1").arg(i),
                  RectFromTwips(120, 300 + int(i) * 300, 2040, 255));
        boxes_[i]->setChecked(tester.ticked[i]);
    }
    auto* group = new QButtonGroup(this);
    for (std::size_t i = 0; i < options_.size(); ++i) {
        options_[i] = Named(new QRadioButton(QLatin1String(CodeTester::kExclusive[i]), exclusive),
                            QStringLiteral("optVital_%1").arg(i),
                            RectFromTwips(120, 240 + int(i) * 255, 1680, 255));
        group->addButton(options_[i]);
        options_[i]->setChecked(tester.chosen == int(i));
    }
    auto* send = Named(new QPushButton(QStringLiteral("SEND"), this), QStringLiteral("Command1"),
                       RectFromTwips(120, 2640, 2280, 375));
    auto* cancel = Named(new QPushButton(QStringLiteral("CANCEL"), this),
                         QStringLiteral("Command2"), RectFromTwips(2520, 2640, 1920, 375));
    connect(send, &QPushButton::clicked, this, &frmEcode::Send);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmEcode::Send() {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        tester_.ticked[i] = boxes_[i]->isChecked();
    }
    tester_.chosen = -1;
    for (std::size_t i = 0; i < options_.size(); ++i) {
        if (options_[i]->isChecked()) {
            tester_.chosen = int(i);
        }
    }
    accept();
}

bool frmEcode::Ask(CodeTester& tester, QWidget* parent) {
    frmEcode dialog(tester, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace veldra
