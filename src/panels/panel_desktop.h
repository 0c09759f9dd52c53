#pragma once

#include <string_view>

namespace veldra {

class BoardPanel;

// The desktop a panel set draws its windows on: told of each window as it is made and when
// it is first shown, and asked to measure the toggle window's names in that window's font.
class PanelDesktop {
public:
    virtual ~PanelDesktop() = default;

    virtual void Made(BoardPanel& window) = 0;
    virtual void Shown(BoardPanel& window) = 0;
    // In twips.
    virtual int TextWidth(std::string_view text) const = 0;
};

}  // namespace veldra
