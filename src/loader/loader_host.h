#pragma once

#include <string_view>

namespace veldra {

// What the source loader needs of the windows while it reads an application: a chance
// for the desktop to handle its events, the toggle-bits window that shows the coded
// outputs, and the program window that takes over once the source is read. The
// loading-progress window is the platform's, as the model reaches it too. The shell implements it;
// tests fake it. Every member does nothing by default, so that a load can run without any window at
// all.
class LoaderHost {
public:
    virtual ~LoaderHost() = default;

    // Lets the desktop handle pending events; the loader calls it between batches of
    // pieces and after each status line.
    virtual void DoEvents() {}

    // Hands one bit of a coded-output toggle group to the toggle-bits window, which is
    // made by the first bit of a load.
    virtual void AddBits(std::string_view BitName, std::string_view GroupName) {
        (void)BitName, (void)GroupName;
    }

    // Shows the program window once the whole source is read, then has it finish the load:
    // bind the board windows' bits, draw their indicators and map every statement to the
    // bits it reads. A failure there ends the load as a reading failure does.
    virtual void ShowProgramWindow() {}
    virtual void LoadFinished() {}

    // Whether the windows, which hold the program's windows, say themselves that memory ran
    // out, once those have gone: the loader then lets go of what it holds and hands the
    // std::bad_alloc on. Otherwise nothing else would say it, and the loader does.
    virtual bool ReportsOutOfMemory() const { return false; }
};

}  // namespace veldra
