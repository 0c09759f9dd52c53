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
        QObject::connect(button, &links::LinkButton::RefreshRequested, form, [this] {
            if (refreshMenu_) {
                refreshMenu_();
            }
        });
    }
}

int BoardWindows::TextWidth(std::string_view text) const {
    return TwipsFromPixels(
        QFontMetrics(QApplication::font("QTableView")).horizontalAdvance(ToQString(text)));
}

void BoardWindows::Made(BoardPanel& half) {
    if (auto* io = dynamic_cast<IOBoardPanel*>(&half)) {
        Drawn<frmIOBoard>(*io);
    } else if (auto* inOut = dynamic_cast<InOutBoardPanel*>(&half)) {
        Drawn<frmInOutBoard>(*inOut);
    } else if (auto* lamps = dynamic_cast<Lamp16Panel*>(&half)) {
        Drawn<frmLMP16>(*lamps);
    } else if (auto* encoder = dynamic_cast<ASESPanel*>(&half)) {
        Drawn<frmASES>(*encoder);
    } else if (auto* heads = dynamic_cast<MXLampPanel*>(&half)) {
        Drawn<frmMXLamp>(*heads);
    } else if (auto* track = dynamic_cast<TrackPanel*>(&half)) {
        Drawn<frmTrack>(*track);
        // The tester is modal over the window whose end it tests.
        track->runCodeTester = [form = forms_[track].form](CodeTester& tester) {
            return frmEcode::Ask(tester, form);
        };
    } else if (auto* station = dynamic_cast<SerialPortPanel*>(&half)) {
        Drawn<frmSerialPort>(*station);
    } else if (auto* toggle = dynamic_cast<TogglePanel*>(&half)) {
        Drawn<frmToggle>(*toggle);
    }
    // A state table's window is drawn by the program window.
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
