#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <string>

#include "platform/qt/window_registry.h"

class QLabel;
class QProgressBar;

namespace veldra {

// The loading-progress window: a status line and a progress bar beside a picture, on
// top of the other windows while a program or a state file loads, and never taking the
// focus from the window the user works in.
class frmStatus final : public QWidget {
public:
    explicit frmStatus(WindowRegistry& windows);

    void SetStatus(const std::string& text);
    // The bar at `value` of `maximum`, held between empty and full.
    void SetProgress(double value, double maximum);

    // How often, at most, the bar takes a step between its ends: a load reports every
    // statement and every bit, and each step is drawn again at the desktop's next turn.
    static constexpr int kStepMilliseconds = 40;

private:
    QLabel* lblStatus_;
    QProgressBar* pBar_;
    QElapsedTimer sinceStep_;
    RegisteredWidget registration_;
};

}  // namespace veldra
