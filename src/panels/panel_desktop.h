#pragma once

#include <string_view>

#include "panels/board_window_kinds.h"

namespace veldra {

// The desktop a panel set draws its windows on: told of each window as it is made, by its
// kind, so that the kinds are listed here and in the factory alone and a new kind does not
// build until every desktop answers it; told when a window is shown; and asked to measure
// the toggle window's names in that window's font.
class PanelDesktop {
public:
    virtual ~PanelDesktop() = default;

    virtual void Made(IOBoardPanel& window) = 0;
    virtual void Made(InOutBoardPanel& window) = 0;
    virtual void Made(Lamp16Panel& window) = 0;
    virtual void Made(TrackPanel& window) = 0;
    virtual void Made(MXLampPanel& window) = 0;
    virtual void Made(ASESPanel& window) = 0;
    virtual void Made(SerialPortPanel& window) = 0;
    virtual void Made(TogglePanel& window) = 0;
    virtual void Made(TableWindow& window) = 0;
    virtual void Shown(BoardPanel& window) = 0;
    // In twips.
    virtual int TextWidth(std::string_view text) const = 0;
};

}  // namespace veldra
