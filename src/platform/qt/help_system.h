#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>

#include "platform/help_topics.h"
#include "platform/qt/frmHelp.h"

namespace veldra {

// The main window's help: the help file it was given (the user's guide's contents page,
// shipped beside the program), the help window it opens on the contents or on a topic,
// and What's This, answered for every control of our windows while it lives: a click in
// What's This mode shows the control's topic (HelpTopicOf). Quit closes the help window,
// as the simulator's end does.
class HelpSystem final : public QObject {
    Q_OBJECT

public:
    HelpSystem();
    ~HelpSystem() override;

    void SetHelpFile(std::filesystem::path file) { helpFile_ = std::move(file); }
    const std::filesystem::path& HelpFile() const { return helpFile_; }

    // "Help Contents": the help window on the guide's contents. A help file that is missing
    // throws a RuntimeError that names it.
    void ShowContents();
    // The help window on a topic's page (the contents when the guide lacks it); fails as
    // ShowContents does.
    void ShowTopic(HelpTopic topic);
    // Closes the help window, if open.
    void Quit();
    // The help window while it is open.
    frmHelp* Window() const { return window_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmHelp& OpenWindow();

    std::filesystem::path helpFile_;
    QPointer<frmHelp> window_;
    // The click that asked What's This ends with its release, which must not reach the
    // control as half a click (a check list would tick the line under it).
    bool swallowRelease_ = false;
};

}  // namespace veldra
