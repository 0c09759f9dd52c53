// One rise of the input of the exclusive-or chain (bench/xor_logic.h) as callgrind counts
// it, headless: the load and the first start run uninstrumented. What the scan's checks
// for the desktop's turns cost is the difference of two builds' counts.
//
//   valgrind --tool=callgrind --instr-atstart=no callgrind_xor_chain LINKS
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>

#include "engine/program_engine.h"
#include "gen/bench_support.h"
#include "xor_logic.h"

int main(int argc, char** argv) {
    using namespace veldra;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s LINKS\n", argv[0]);
        return 2;
    }
    bench::CautiousPlatform platform;
    bench::LoadedProgram program(bench::XorChain(std::atoi(argv[1])));
    ProgramEngine& engine = program.engine;
    engine.StartStop();
    engine.PostInput("X", false);
    engine.tmrProgram_Timer();

    engine.PostInput("X", true);
    CALLGRIND_START_INSTRUMENTATION;
    engine.tmrProgram_Timer();
    CALLGRIND_STOP_INSTRUMENTATION;
    std::printf("B1 %d\n", engine.PrgBooleanBits()->Find("B1")->BitValue() ? 1 : 0);
    return 0;
}
