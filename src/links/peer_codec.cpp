#include "links/peer_codec.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/ascii_text.h"

namespace veldra::links {

namespace {

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

TrackWire TrackWireOf(std::string_view boardType) {
    if (boardType == "TRX.TRACK")
        return TrackWire::Trx;
    if (boardType == "ECODE.TRACK")
        return TrackWire::Ecode;
    return TrackWire::Other;
}

std::string CodeLetter(int position) {
    if (position < 1 || position > 20)
        return {};
    return std::string(1, static_cast<char>('D' + position - 1));
}

std::string TrxWireCode(const std::vector<std::string>& outCodeNames, std::string_view name) {
    if (Contains(name, "TDOUT"))
        return "B";
    if (Contains(name, "SLEEPOUT"))
        return "C";
    const auto found = std::find(outCodeNames.begin(), outCodeNames.end(), name);
    if (found == outCodeNames.end())
        return {};
    return CodeLetter(static_cast<int>(found - outCodeNames.begin()) + 1);
}

std::string EcodeWireCode(std::string_view name) {
    // The board and track names stand before ".CODE." and may be digits themselves.
    if (const auto at = name.find(".CODE."); at != std::string_view::npos)
        name.remove_prefix(at + 5);
    static constexpr std::array<std::string_view, 10> kMarks{".1.", ".2.", ".3.", ".4.", ".5.",
                                                             ".6.", ".7.", ".8.", ".9.", ".M."};
    for (std::string_view mark : kMarks) {
        if (Contains(name, mark))
            return std::string(mark.substr(1, 1));
    }
    return {};
}

std::string WireCode(TrackWire wire, const std::vector<std::string>& outCodeNames,
                     std::string_view name) {
    switch (wire) {
        case TrackWire::Trx:
            return TrxWireCode(outCodeNames, name);
        case TrackWire::Ecode:
            return EcodeWireCode(name);
        case TrackWire::Other:
            break;
    }
    return {};
}

std::string DataRecord(std::string_view code, bool value) {
    std::string record(code);
    record += value ? ",True" : ",False";
    record += kRecordEnd;
    return record;
}

std::string RequestRecord() {
    return std::string("Z") + kRecordEnd;
}

std::optional<int> TrxPosition(std::string_view code, int inCodeCount) {
    if (code.size() != 1)
        return std::nullopt;
    const char letter = code[0];
    int position = 0;
    if (letter == 'B')
        position = inCodeCount - 1;
    else if (letter == 'C')
        position = inCodeCount;
    else if (letter >= 'D' && letter <= 'W')
        position = letter - 'D' + 1;
    if (position < 1)
        return std::nullopt;
    return position;
}

std::optional<int> EcodePosition(std::string_view code) {
    if (code == "M")
        return 10;
    if (code.size() != 1 || code[0] < '1' || code[0] > '9')
        return std::nullopt;
    return code[0] - '0';
}

std::optional<int> InCodePosition(TrackWire wire, std::string_view code, int inCodeCount) {
    std::optional<int> position;
    if (wire == TrackWire::Trx)
        position = TrxPosition(code, inCodeCount);
    else if (wire == TrackWire::Ecode)
        position = EcodePosition(code);
    // A code beyond the end's in codes names nothing here.
    if (position && *position > inCodeCount)
        return std::nullopt;
    return position;
}

std::optional<bool> ParseValue(std::string_view value) {
    const std::string upper = UpperCased(value);
    if (upper == "TRUE")
        return true;
    if (upper == "FALSE")
        return false;
    return std::nullopt;
}

std::optional<int> ParseIndex(std::string_view code) {
    if (code.empty() || code.size() > 6)
        return std::nullopt;
    int index = 0;
    for (char c : code) {
        if (c < '0' || c > '9')
            return std::nullopt;
        index = index * 10 + (c - '0');
    }
    if (index < 1)
        return std::nullopt;
    return index;
}

std::string SerialRecords(const std::vector<bool>& outBits, bool falseFirst) {
    std::string records;
    const auto append = [&](bool onlyValue, bool filter) {
        for (std::size_t i = 0; i < outBits.size(); ++i) {
            if (filter && outBits[i] != onlyValue)
                continue;
            records += DataRecord(std::to_string(i + 1), outBits[i]);
        }
    };
    if (falseFirst) {
        append(false, true);
        append(true, true);
    } else {
        append(false, false);
    }
    return records;
}

Received ParseRecord(std::string_view record) {
    const std::string upper = UpperCased(record);
    if (upper == "Z")
        return Request{};
    const auto comma = upper.find(',');
    if (comma == std::string::npos)
        return Garbled{upper};
    return Data{upper.substr(0, comma), upper.substr(comma + 1)};
}

bool WalkRecords(const std::vector<Received>& records,
                 const std::function<void(const std::string&)>& refused,
                 const std::function<bool(const Data&)>& take) {
    bool request = false;
    for (const Received& record : records) {
        if (std::holds_alternative<Request>(record)) {
            request = true;
        } else if (const auto* garbled = std::get_if<Garbled>(&record)) {
            if (refused)
                refused(garbled->text);
        } else {
            const auto& data = std::get<Data>(record);
            if (!take(data) && refused)
                refused(data.code + "," + data.value);
        }
    }
    return request;
}

std::vector<Received> RecordReader::Feed(std::string_view chunk) {
    std::vector<Received> records;
    for (char c : chunk) {
        if (c == kRecordEnd) {
            if (discarding_) {
                discarding_ = false;
            } else if (!pending_.empty()) {
                records.push_back(ParseRecord(pending_));
            }
            pending_.clear();
            continue;
        }
        if (discarding_) {
            ++dropped_;
            continue;
        }
        if (pending_.size() >= maxRecord_) {
            // No record is this long: drop it up to its carriage return.
            dropped_ += pending_.size() + 1;
            pending_.clear();
            discarding_ = true;
            continue;
        }
        pending_ += c;
    }
    return records;
}

std::size_t RecordReader::TakeDropped() {
    return std::exchange(dropped_, 0);
}

void RecordReader::Clear() {
    pending_.clear();
    discarding_ = false;
    dropped_ = 0;
}

}  // namespace veldra::links
