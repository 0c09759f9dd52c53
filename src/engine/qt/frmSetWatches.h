#pragma once

#include "engine/qt/bit_flag_dialog.h"

namespace veldra {

// "Set Bits To Watch": the bits whose every change stops the simulation with a
// "Bit Watch" box until it is answered.
class frmSetWatches final : public BitFlagDialog {
public:
    frmSetWatches(ProgramEngine& engine, WindowRegistry& windows, QWidget* parent = nullptr)
        : BitFlagDialog(engine, BitFlagLists::Flag::Watch, windows, "frmSetWatches", "lstIgnore",
                        "lstWatch", AfterFailure::Stay, parent) {}
};

}  // namespace veldra
