// Hands arbitrary bytes to the state-file reader as the file of a small program. Whatever
// the bytes, the read must end with its copies or with a failure that says why, never with
// a crash, a hang or a sanitizer report; the copies it gives name bits of the program.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "logic/boolean_bits.h"
#include "platform/runtime_error.h"
#include "shell/state_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    veldra::BooleanBits bits;
    bits.Add("1", true);
    bits.Add("PB_1", false);
    bits.Add("SLOW_1", false, true, 2000, 500);
    bits.Add("SPEED", false);
    try {
        const auto copies =
            veldra::ReadStateFile(std::string_view(reinterpret_cast<const char*>(data), size), bits,
                                  [](const std::string&) {});
        for (const veldra::BitStateCopy& copy : copies) {
            if (copy.bit == nullptr || bits.Find(copy.bit->BitName()) != copy.bit) {
                std::abort();
            }
        }
    } catch (const veldra::RuntimeError&) {
    }
    return 0;
}
