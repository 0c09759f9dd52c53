#pragma once

#include <optional>
#include <string>

#include "platform/service_scope.h"

namespace veldra {

enum class MsgButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// The answer that changes nothing: Cancel, No, Abort, or Ok where it is the only button.
MsgAnswer MostCautiousAnswer(MsgButtons buttons);

// One message box as the user sees it.
struct MsgBoxRequest {
    std::string prompt;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    std::string title;
};

// An input box: a prompt, a title and the text it starts with.
struct InputBoxRequest {
    std::string prompt;
    std::string title;
    std::string defaultText;
};

// The desktop as the core sees it: the few things of the windowing platform that
// the model, the loader and the engine need without depending on any toolkit.
// The application installs the real one; tests install a scripted fake.
class Platform {
public:
    virtual ~Platform() = default;

    // Shows a modal message box and returns the button the user chose.
    virtual MsgAnswer MsgBox(const MsgBoxRequest& request) = 0;

    // Shows a modal input box; the text typed, or nothing when the user cancels. Without a
    // desktop nobody types: it is cancelled.
    virtual std::optional<std::string> InputBox(const InputBoxRequest& request) {
        (void)request;
        return std::nullopt;
    }

    // Ends the application at once. A test double returns; the real one does not.
    virtual void EndApplication() = 0;

    // Closes the loading-progress window if it is open; does nothing otherwise.
    virtual void UnloadLoadingProgress() = 0;

    // The loading-progress window's status line and bar. Setting either shows the window,
    // on top of the others, when it is closed.
    virtual void SetLoadingStatus(const std::string& text) { (void)text; }
    virtual void SetLoadingProgress(double value, double maximum) { (void)value, (void)maximum; }
};

// The platform installed for the program. The desktop is one per process, as the
// message box and the end of the application are; a headless stand-in answers
// until something else is installed.
Platform& ThePlatform();

// Installs a platform for as long as it lives, then puts the previous one back.
using PlatformScope = ServiceScope<Platform>;

// Shorthands for the common calls.
inline MsgAnswer MsgBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                        const std::string& title) {
    return ThePlatform().MsgBox({prompt, buttons, icon, title});
}
inline std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText) {
    return ThePlatform().InputBox({prompt, title, defaultText});
}

}  // namespace veldra
