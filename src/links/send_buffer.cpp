#include "links/send_buffer.h"

#include "links/peer_codec.h"

#include <algorithm>
#include <utility>

namespace veldra::links {

bool SendBuffer::RequestWaiting() const {
    return text_.starts_with(RequestRecord());
}

void SendBuffer::Replace(std::string_view records) {
    const bool request = RequestWaiting();
    text_.clear();
    if (request)
        text_ = RequestRecord();
    // A whole state larger than the bound is cut at a record end, never mid-record.
    std::string_view fitting = records.substr(0, capacity_ - std::min(capacity_, text_.size()));
    if (fitting.size() < records.size()) {
        const auto lastEnd = fitting.rfind(kRecordEnd);
        fitting =
            lastEnd == std::string_view::npos ? std::string_view{} : fitting.substr(0, lastEnd + 1);
    }
    text_ += fitting;
}

bool SendBuffer::Append(std::string_view records) {
    if (text_.size() + records.size() > capacity_)
        return false;
    text_ += records;
    return true;
}

void SendBuffer::Request() {
    if (RequestWaiting())
        return;
    // What waits is our whole state as last changed: the peer still needs it.
    const std::string waiting = std::exchange(text_, RequestRecord());
    Replace(waiting);
}

void SendBuffer::Consume(std::size_t count) {
    text_.erase(0, count);
}

}  // namespace veldra::links
