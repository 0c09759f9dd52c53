#include "logic/program_host.h"

#include "logic/boolean_bit.h"

namespace veldra {

void ProgramHost::BitStatus(const BooleanBit& bit, bool vValue) {
    UpdateStatus(bit.BitName(), vValue, false, false, false, false, 0);
}

ProgramHost& TheProgramHost() {
    static ProgramHost nothingLoaded;
    ProgramHost* installed = ProgramHostScope::Current();
    return installed ? *installed : nothingLoaded;
}

}  // namespace veldra
