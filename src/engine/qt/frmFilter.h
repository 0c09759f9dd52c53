#pragma once

#include "engine/qt/bit_flag_dialog.h"

namespace veldra {

// "Kill some of the noise": which bits stay out of the immediate window and the log.
// Besides moving names one by one, every bit can be filtered or shown at once, or the
// board bits alone filtered, which leaves the logic's own bits to read.
class frmFilter final : public BitFlagDialog {
public:
    frmFilter(ProgramEngine& engine, WindowRegistry& windows, QWidget* parent = nullptr);
};

}  // namespace veldra
