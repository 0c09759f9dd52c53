// Hands arbitrary bytes to the view-file reader over a few windows. Whatever the bytes,
// the read must end, every window it names must be one that exists, and every state it
// sets must be one a window can take.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell/view_file.h"

namespace {

class Windows final : public veldra::ViewTarget {
public:
    int FindWindow(std::string_view caption) override {
        for (int i = 0; i < kCount; ++i) {
            if (caption == kCaptions[i]) {
                return i;
            }
        }
        return -1;
    }
    int SetState(int window, int state) override {
        Check(window);
        if (state < 0 || state > 2) {
            std::abort();
        }
        return state;
    }
    void Place(int window, int left, int top, int, int) override {
        Check(window);
        if (left < 0 || top < 0) {
            std::abort();
        }
    }
    void SetMainCaption(const std::string&, bool) override {}

private:
    static constexpr int kCount = 3;
    static constexpr const char* kCaptions[kCount] = {"Card File", "IN16 1", "Table 1"};
    static void Check(int window) {
        if (window < 0 || window >= kCount) {
            std::abort();
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Windows windows;
    veldra::ApplyViewFile(std::string_view(reinterpret_cast<const char*>(data), size), windows);
    return 0;
}
