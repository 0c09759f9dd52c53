#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "links/qt/link_button.h"
#include "links/track_link.h"
#include "platform/event.h"

#include "boards/track_board.h"
#include "panels/qt/board_form.h"
#include "panels/track_panel.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace veldra {

class CodeTester;
class LampWidget;
class TimerDriver;

// frmTrack: the window of a coded-track board, end A's frame above end B's. Each frame
// shows the end's adjustment bit with its lamp, its "Enabled", "Disable Code Delay" and
// "SHUNT TRACK" boxes, its status, what it receives and what it transmits, the controls
// that feed it codes by hand, and its link button with the connection's state. The
// ends' code-delay timers tick from the desktop while the window is open.
class frmTrack final : public BoardForm, private TrackDrawing {
    Q_OBJECT

public:
    explicit frmTrack(TrackPanel& half);
    ~frmTrack() override;

    links::PeerLink& Link(TrackSide side) { return buttons_[side == TrackSide::A ? 0 : 1]->Link(); }
    // Asks every connected end's peer for all its codes again.
    Q_INVOKABLE void RefreshTCP();

private:
    // TrackDrawing
    bool RunCodeTester(CodeTester& tester) override;
    bool EndLinked(TrackSide side) const override;

    void MakeLink(TrackSide side);
    void RequestCodes(TrackSide side);
    void SendAllOutCodes();

    // The controls of one end; arrays of the design take element 1 for end A, 0 for B.
    struct EndControls {
        QGroupBox* frame = nullptr;
        QLabel* adjustment = nullptr;
        LampWidget* lamp = nullptr;
        QCheckBox* enabled = nullptr;
        QCheckBox* delay = nullptr;
        QCheckBox* shunt = nullptr;
        QLabel* status = nullptr;
        QLabel* received = nullptr;
        QLabel* transmitHeading = nullptr;
        QLabel* transmitted = nullptr;
        QListWidget* handCodes = nullptr;
        QPushButton* rec = nullptr;
        QPushButton* link = nullptr;
        QLabel* connection = nullptr;
        int listed = -1;  // hand codes last put in the list
    };

    void MakeEnd(TrackSide side, int top);
    void DrawEnd(TrackSide side);
    void Draw() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TrackPanel& half_;
    std::array<EndControls, 2> ends_;
    std::array<std::unique_ptr<TimerDriver>, 2> drivers_;
    links::TrackLink trackLink_;
    std::array<links::LinkButton*, 2> buttons_{};
    Subscription indicatorsUpdated_;
    Subscription shuntChanged_;
};

// frmEcode, "ECode Track Tester": the rates an ECODE end receives, combinational rates
// as boxes and exclusive rates as options, sent or cancelled.
class frmEcode final : public QDialog {
    Q_OBJECT

public:
    frmEcode(CodeTester& tester, QWidget* parent = nullptr);

    // Shows the tester modally over `parent`; true when the user sent the rates.
    static bool Ask(CodeTester& tester, QWidget* parent);

private:
    void Send();

    CodeTester& tester_;
    std::array<QCheckBox*, 3> boxes_{};
    std::array<QRadioButton*, 8> options_{};
};

}  // namespace veldra
