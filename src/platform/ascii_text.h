#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veldra {

// Application text is single-byte as the source files hold it; letter case is folded
// for ASCII letters only, so a name compares the same on every machine and locale.

constexpr char ToUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

inline std::string UpperCased(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = ToUpperAscii(c);
    }
    return out;
}

constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// Transparent hash and equality for containers keyed by names without regard to case;
// lookups by string_view fold as they go and allocate nothing.
struct CaseInsensitiveHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
        std::size_t hash = 14695981039346656037ull;  // FNV-1a
        for (char c : text) {
            hash ^= static_cast<unsigned char>(ToUpperAscii(c));
            hash *= 1099511628211ull;
        }
        return hash;
    }
};

struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept {
        return EqualsIgnoringCase(a, b);
    }
};

}  // namespace veldra
