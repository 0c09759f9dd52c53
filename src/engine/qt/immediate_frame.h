#pragma once

#include "engine/qt/program_page_frame.h"

namespace veldra {

class StatusPicture;
class WordPickingText;

// The immediate window page: while the program runs, a picture of the last entries;
// while it is stopped, the whole text, whose double-clicked word names a bit.
class ImmediateFrame final : public ProgramPageFrame {
    Q_OBJECT

public:
    ImmediateFrame(ProgramEngine& engine, ProgramPages& pages, QWidget* parent);

    // Shows the picture or the text as the program runs or not.
    void SyncRunState();
    // An entry was written.
    void StatusChanged();

private:
    StatusPicture* picStatus_ = nullptr;
    WordPickingText* txtStatus_ = nullptr;
};

}  // namespace veldra
