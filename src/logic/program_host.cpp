#include "logic/program_host.h"

namespace veldra {

ProgramHost& TheProgramHost() {
    static ProgramHost nothingLoaded;
    ProgramHost* installed = ProgramHostScope::Current();
    return installed ? *installed : nothingLoaded;
}

}  // namespace veldra
