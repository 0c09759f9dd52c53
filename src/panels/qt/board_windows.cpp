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

BoardWindows::BoardWindows(PendingInputs& IOBits, std::function<void(QWidget&)> place,
                           BoardWindowHost& program)
    : halves_(IOBits, &program, this), place_(std::move(place)) {}

BoardWindows::~BoardWindows() {
    for (auto& [half, drawing] : forms_) {
        if (drawing.form) {
            delete &WindowFrame(*drawing.form);
        }
    }
}

template <class Form, class Half>
void BoardWindows::Drawn(Half& half) {
    auto* form = new Form(half);
    forms_[&half].form = form;
    // A link window's started link offers the main window's "Refresh" on a right press.
    for (const links::LinkButton* button : form->template findChildren<links::LinkButton*>()) {
        connect(button, &links::LinkButton::RefreshRequested, this,
                &BoardWindows::refreshMenuAsked);
    }
}

int BoardWindows::TextWidth(std::string_view text) const {
    return TwipsFromPixels(
        QFontMetrics(QApplication::font("QTableView")).horizontalAdvance(ToQString(text)));
}

void BoardWindows::Made(IOBoardPanel& half) {
    Drawn<frmIOBoard>(half);
}
void BoardWindows::Made(InOutBoardPanel& half) {
    Drawn<frmInOutBoard>(half);
}
void BoardWindows::Made(Lamp16Panel& half) {
    Drawn<frmLMP16>(half);
}
void BoardWindows::Made(ASESPanel& half) {
    Drawn<frmASES>(half);
}
void BoardWindows::Made(MXLampPanel& half) {
    Drawn<frmMXLamp>(half);
}
void BoardWindows::Made(TrackPanel& half) {
    Drawn<frmTrack>(half);
}
void BoardWindows::Made(SerialPortPanel& half) {
    Drawn<frmSerialPort>(half);
}
void BoardWindows::Made(TogglePanel& half) {
    Drawn<frmToggle>(half);
}

void BoardWindows::Shown(BoardPanel& half) {
    const auto drawing = forms_.find(&half);
    if (drawing != forms_.end() && drawing->second.form && !drawing->second.placed) {
        drawing->second.placed = true;
        place_(*drawing->second.form);
        drawing->second.form->Placed();
    }
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
