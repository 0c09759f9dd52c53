#pragma once

#include <QGuiApplication>

namespace veldra {

// While the main windows are hidden, a dialog or the progress window may be the only
// window shown: closing it must not end the simulator. Holds that for its lifetime.
class KeepRunning {
public:
    KeepRunning() : was_(QGuiApplication::quitOnLastWindowClosed()) {
        QGuiApplication::setQuitOnLastWindowClosed(false);
    }
    ~KeepRunning() { QGuiApplication::setQuitOnLastWindowClosed(was_); }
    KeepRunning(const KeepRunning&) = delete;
    KeepRunning& operator=(const KeepRunning&) = delete;

private:
    bool was_;
};

}  // namespace veldra
