#pragma once

#include "engine/qt/program_page_frame.h"

namespace veldra {

class NumericEditorControls;

// The user numerics page: the program's user numbers, to choose and give a new value.
class UserNumericFrame final : public ProgramPageFrame {
    Q_OBJECT

public:
    UserNumericFrame(ProgramEngine& engine, ProgramPages& pages, QWidget* parent);

    // Follows the numbers, the chosen one and its value.
    void Sync();

private:
    NumericEditorControls* numerics_ = nullptr;
};

}  // namespace veldra
