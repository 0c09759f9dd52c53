// The scan of a large generated application as callgrind sees it: the load runs without
// instrumentation, then the first start (every statement solved once) and two ripples of
// the chain-head input through one chain are counted. Run by bench/callgrind_scan.sh;
// alone it runs the same work uncounted.
//
//   callgrind_scan STATEMENTS BITS BOARDS CONTACT_GROUPS CHAIN_LENGTH
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/program_engine.h"
#include "gen/bench_support.h"
#include "gen/generate_application.h"
#include "loader/parse_text.h"
#include "platform/clock.h"

int main(int argc, char** argv) {
    using namespace veldra;
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s STATEMENTS BITS BOARDS CONTACT_GROUPS CHAIN_LENGTH\n",
                     argv[0]);
        return 2;
    }
    const bench::ApplicationSize size{std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]),
                                      std::atoi(argv[4])};
    const std::string source = bench::GenerateApplication(size, std::atoi(argv[5]));

    bench::CautiousPlatform platform;
    bench::LoadedProgram program(source);
    ProgramEngine& engine = program.engine;

    CALLGRIND_START_INSTRUMENTATION;
    engine.StartStop();
    engine.PostInput(bench::ChainHeadInput(), true);
    engine.tmrProgram_Timer();
    for (const bool value : {false, true}) {
        engine.PostInput(bench::ChainHeadInput(), value);
        engine.tmrProgram_Timer();
    }
    CALLGRIND_STOP_INSTRUMENTATION;

    std::printf("statements %d\n", engine.prgAssigns ? engine.prgAssigns->Count() : 0);
    return 0;
}
