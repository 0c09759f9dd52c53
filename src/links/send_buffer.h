#pragma once

// What one link still has to write to its peer. The owner rebuilds it on every
// change; a request of its own still waiting then goes out first rather than
// being lost, and a peer that never reads cannot make it grow past its bound.

#include <cstddef>
#include <string>
#include <string_view>

namespace veldra::links {

class SendBuffer {
public:
    explicit SendBuffer(std::size_t capacity = 64 * 1024) : capacity_(capacity) {}

    // Replaces whatever waits with `records`, keeping a waiting request in front.
    void Replace(std::string_view records);
    // Adds records behind what waits; false (and nothing added) when full.
    bool Append(std::string_view records);
    // The request goes first; what already waits goes behind it.
    void Request();
    void Clear() { text_.clear(); }

    const std::string& Text() const { return text_; }
    bool Empty() const { return text_.empty(); }
    // The first `count` characters were written.
    void Consume(std::size_t count);

private:
    bool RequestWaiting() const;

    std::size_t capacity_;
    std::string text_;
};

}  // namespace veldra::links
