#include "panels/panel_set.h"

#include <algorithm>

#include "panels/ases_panel.h"
#include "panels/in_out_board_panel.h"
#include "panels/io_board_panel.h"
#include "panels/lamp16_panel.h"
#include "panels/mx_lamp_panel.h"
#include "panels/panel_desktop.h"
#include "panels/serial_port_panel.h"
#include "panels/table_window.h"
#include "panels/toggle_panel.h"
#include "panels/track_panel.h"

namespace veldra {

PanelSet::PanelSet(PendingInputs& IOBits, BoardWindowHost* program, PanelDesktop* desktop)
    : ioBits_(IOBits), program_(program), desktop_(desktop) {}

PanelSet::~PanelSet() = default;

template <class Window>
Window& PanelSet::Keep(std::unique_ptr<Window> window) {
    Window& made = *window;
    windows_.push_back(std::move(window));
    WindowMade.Raise(made);
    if (desktop_ != nullptr) {
        desktop_->Made(made);
    }
    return made;
}

template <class Window, class... Args>
Window& PanelSet::Make(Args&&... args) {
    auto window = std::make_unique<Window>(ioBits_, std::forward<Args>(args)...);
    if (program_ != nullptr) {
        window->SetHost(*program_);
    }
    return Keep(std::move(window));
}

IOBoardPanel& PanelSet::NewIOBoardWindow() {
    return Make<IOBoardPanel>();
}
InOutBoardPanel& PanelSet::NewInOutBoardWindow() {
    return Make<InOutBoardPanel>();
}
Lamp16Panel& PanelSet::NewLampWindow() {
    return Make<Lamp16Panel>();
}
TrackPanel& PanelSet::NewTrackWindow() {
    return Make<TrackPanel>();
}
MXLampPanel& PanelSet::NewMXLampWindow() {
    return Make<MXLampPanel>();
}
ASESPanel& PanelSet::NewASESWindow() {
    return Make<ASESPanel>();
}
SerialPortPanel& PanelSet::NewSerialPortWindow() {
    return Make<SerialPortPanel>();
}
BoardPanel& PanelSet::NewTableWindow(Table& table) {
    return Keep(std::make_unique<TableWindow>(table));
}

TogglePanel& PanelSet::ToggleWindow() {
    if (toggle_ == nullptr || toggle_->Closed()) {
        toggle_ = desktop_ != nullptr
                      ? &Make<TogglePanel>([desktop = desktop_](std::string_view text) {
                            return desktop->TextWidth(text);
                        })
                      : &Make<TogglePanel>();
        ShowWindow(*toggle_);
    }
    return *toggle_;
}

void PanelSet::ShowWindow(BoardPanel& window) {
    shown_.insert(&window);
    if (desktop_ != nullptr) {
        desktop_->Shown(window);
    }
}

std::vector<BoardPanel*> PanelSet::Windows() const {
    std::vector<BoardPanel*> open;
    for (const std::unique_ptr<BoardPanel>& window : windows_) {
        if (!window->Closed()) {
            open.push_back(window.get());
        }
    }
    return open;
}

bool PanelSet::Shown(const BoardPanel& window) const {
    return shown_.contains(&window);
}

void PanelSet::CloseAll() {
    for (auto at = windows_.rbegin(); at != windows_.rend(); ++at) {
        (*at)->CloseWindow(true);
    }
    windows_.clear();
    shown_.clear();
    toggle_ = nullptr;
}

}  // namespace veldra
