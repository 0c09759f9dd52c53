#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/controller.h"
#include "support/fake_platform.h"

namespace veldra::testing {

// The path of an application in examples/.
inline std::filesystem::path Example(const std::string& name) {
    return std::filesystem::path(VELDRA_EXAMPLES) / name;
}

// The row of a board window that shows a bit.
template <class Rows, class Caption>
int RowOf(const Rows& rows, const std::string& name, Caption caption) {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (caption(rows[row]) == name) {
            return int(row);
        }
    }
    throw std::logic_error("no row shows " + name);
}

}  // namespace veldra::testing
