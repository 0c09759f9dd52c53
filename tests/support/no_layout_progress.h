#pragma once

#include <string_view>

#include "book/page_layout.h"

namespace veldra::testing {

// A book laid out with nobody watching its progress.
class NoProgress final : public LayoutProgress {
public:
    void Begin(std::string_view, int) override {}
    void Step() override {}
    void End() override {}
};

}  // namespace veldra::testing
