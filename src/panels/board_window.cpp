#include "panels/board_window.h"

#include "logic/pending_inputs.h"
#include "panels/board_window_host.h"
#include "platform/platform.h"

namespace veldra {

BoardWindow::BoardWindow(PendingInputs& IOBits)
    : ioBits_(IOBits), lineWriter_([this](const std::string& line) {
          if (host_ != nullptr) {
              host_->WriteLine(line);
          }
      }) {}

void BoardWindow::CreateimgIndic() {
    OnCreateimgIndic();
    Changed.Raise();
}

void BoardWindow::UpdateIndicators() {
    OnUpdateIndicators();
    Changed.Raise();
}

void BoardWindow::UpdateOutput(std::string_view BitName, bool BitValue) {
    OnUpdateOutput(BitName, BitValue);
    Changed.Raise();
}

void BoardWindow::UpdateOutputAt(int Index, std::string_view BitName, bool BitValue,
                                 std::uint32_t revision) {
    if (OnUpdateOutputAt(Index, BitName, BitValue, revision)) {
        Changed.Raise();
    }
}

void BoardWindow::LoadState(std::string_view BitName, bool BitValue) {
    OnLoadState(BitName, BitValue);
    Changed.Raise();
}

void BoardWindow::CloseWindow(bool close) {
    closeFlag_ = close;
    RequestClose();
    // The drawing closes with its half.
    Changed.Raise();
}

bool BoardWindow::RequestClose() {
    if (closed_) {
        return true;
    }
    if (!closeFlag_) {
        minimised_ = true;
        return false;
    }
    ReleaseBoard();
    closed_ = true;
    return true;
}

void BoardWindow::Resize(WindowSize wanted) {
    const WindowSize limit = MaximumSize();
    if (limit.width > 0 && wanted.width > limit.width) {
        wanted.width = limit.width;
    }
    if (limit.height > 0 && wanted.height > limit.height) {
        wanted.height = limit.height;
    }
    size_ = wanted;
}

void BoardWindow::ClickEnabled() {
    if (enabledBox_.usable && !closed_) {
        SetEnabledBox(!enabledBox_.ticked);
    }
    Changed.Raise();
}

void BoardWindow::Post(std::string_view BitName, bool BitValue) {
    ioBits_.Add(BitName, BitValue);
}

void BoardWindow::ShowBitAssign(std::string_view BitName) const {
    if (host_ != nullptr) {
        host_->ShowBitAssign(std::string(BitName));
    }
}

void BoardWindow::ReportBitNotFound(const std::string& text, const std::string& title) {
    MsgBox(text, MsgButtons::Ok, MsgIcon::Critical, title);
}

void BoardWindow::SetEnabledBox(bool ticked) {
    if (enabledBox_.ticked == ticked) {
        return;
    }
    enabledBox_.ticked = ticked;
    EnabledBoxChanged();
}

void BoardWindow::ShowAdjustable(bool adjustable) {
    enabledBox_.usable = adjustable;
    enabledBox_.toolTip = adjustable ? "Board is adjustable" : "Board is not adjustable";
}

void BoardWindow::EnabledBoxChanged() {
    const std::string name = EnabledBitName();
    if (!name.empty()) {
        Post(name, enabledBox_.ticked);
    }
}

}  // namespace veldra
