#include "panels/qt/board_windows.h"

#include <QApplication>
#include <QFontMetrics>

#include "links/qt/link_button.h"
#include "panels/ases_panel.h"
#include "panels/in_out_board_panel.h"
#include "panels/io_board_panel.h"
#include "panels/lamp16_panel.h"
#include "panels/mx_lamp_panel.h"
#include "panels/qt/frmASES.h"
#include "panels/qt/frmLMP16.h"
#include "panels/qt/frmMXLamp.h"
#include "panels/qt/frmSerialPort.h"
#include "panels/qt/frmToggle.h"
#include "panels/qt/frmTrack.h"
#include "panels/qt/io_forms.h"
#include "panels/serial_port_panel.h"
#include "panels/toggle_panel.h"
#include "panels/track_panel.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_frame.h"

namespace veldra {

BoardWindows::BoardWindows(BooleanBits& IOBits, std::function<void(QWidget&)> place,
                           std::function<void(const std::string&)> showBitAssign)
    : halves_(IOBits), place_(std::move(place)) {
    halves_.showBitAssign = std::move(showBitAssign);
    halves_.toggleTextWidth = [](std::string_view text) {
        return TwipsFromPixels(
            QFontMetrics(QApplication::font("QTableView")).horizontalAdvance(ToQString(text)));
    };
}

BoardWindows::~BoardWindows() {
    for (auto& [half, drawing] : forms_) {
        if (drawing.form) {
            delete &WindowFrame(*drawing.form);
        }
    }
}

template <class Form, class Half>
Half& BoardWindows::Drawn(Half& half) {
    auto* form = new Form(half);
    forms_[&half].form = form;
    // A link window's started link offers the main window's "Refresh" on a right press.
    for (const links::LinkButton* button : form->template findChildren<links::LinkButton*>()) {
        QObject::connect(button, &links::LinkButton::RefreshRequested, form, [this] {
            if (refreshMenu_) {
                refreshMenu_();
            }
        });
    }
    return half;
}

IOBoardPanel& BoardWindows::NewIOBoardWindow() {
    return Drawn<frmIOBoard>(halves_.NewIOBoardWindow());
}

InOutBoardPanel& BoardWindows::NewInOutBoardWindow() {
    return Drawn<frmInOutBoard>(halves_.NewInOutBoardWindow());
}

// Lamp drivers, encoders and signal heads.
Lamp16Panel& BoardWindows::NewLampWindow() {
    return Drawn<frmLMP16>(halves_.NewLampWindow());
}

ASESPanel& BoardWindows::NewASESWindow() {
    return Drawn<frmASES>(halves_.NewASESWindow());
}

MXLampPanel& BoardWindows::NewMXLampWindow() {
    return Drawn<frmMXLamp>(halves_.NewMXLampWindow());
}

// --- Coded track and serial stations.

TrackPanel& BoardWindows::NewTrackWindow() {
    TrackPanel& half = Drawn<frmTrack>(halves_.NewTrackWindow());
    // The tester is modal over the window whose end it tests.
    half.runCodeTester = [form = QPointer<BoardForm>(forms_[&half].form)](CodeTester& tester) {
        return frmEcode::Ask(tester, form);
    };
    return half;
}

SerialPortPanel& BoardWindows::NewSerialPortWindow() {
    return Drawn<frmSerialPort>(halves_.NewSerialPortWindow());
}

TogglePanel& BoardWindows::ToggleWindow() {
    TogglePanel& half = halves_.ToggleWindow();
    if (&half != toggle_) {
        toggle_ = &half;
        Drawn<frmToggle>(half);
        ShowWindow(half);
    }
    return half;
}

void BoardWindows::ShowWindow(BoardPanel& window) {
    halves_.ShowWindow(window);
    const auto drawing = forms_.find(&window);
    if (drawing != forms_.end() && drawing->second.form && !drawing->second.placed) {
        drawing->second.placed = true;
        Place(*drawing->second.form);
    }
}

void BoardWindows::Place(BoardForm& form) {
    place_(form);
    form.Placed();
}

void BoardWindows::DrawPlaced() {
    for (auto& [half, drawing] : forms_) {
        if (drawing.form && drawing.placed) {
            drawing.form->DrawNow();
        }
    }
}

QWidget* BoardWindows::WindowOf(const BoardPanel& half) const {
    const auto drawing = forms_.find(&half);
    return drawing != forms_.end() ? drawing->second.form.data() : nullptr;
}

}  // namespace veldra
