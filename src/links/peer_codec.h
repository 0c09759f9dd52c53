#pragma once

// The text spoken between two simulators over a peer link: one record per
// carriage return, either a request "Z" or "code,True"/"code,False". Both
// sides run the same rules, so what is written here is also what is accepted.
// Pure text in and out: sockets, buffers and timers live with the windows.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veldra::links {

inline constexpr char kRecordEnd = '\r';

// How a track board names its codes on the wire.
enum class TrackWire { Trx, Ecode, Other };

TrackWire TrackWireOf(std::string_view boardType);

// 1..20 give "D".."W"; anything else has no letter.
std::string CodeLetter(int position);

// The wire code of an out code; empty when the code has none.
// `outCodeNames` are the end's out codes in collection order.
std::string TrxWireCode(const std::vector<std::string>& outCodeNames, std::string_view name);
std::string EcodeWireCode(std::string_view name);
std::string WireCode(TrackWire wire, const std::vector<std::string>& outCodeNames,
                     std::string_view name);

std::string DataRecord(std::string_view code, bool value);
std::string RequestRecord();

// The 1-based in-code position a received wire code selects; nullopt for an
// unknown code. `inCodeCount` is the receiving end's own count of in codes:
// "B" and "C" name its last two.
std::optional<int> TrxPosition(std::string_view code, int inCodeCount);
std::optional<int> EcodePosition(std::string_view code);
std::optional<int> InCodePosition(TrackWire wire, std::string_view code, int inCodeCount);

// "TRUE"/"FALSE" in any case; nothing else is a Boolean.
std::optional<bool> ParseValue(std::string_view value);
// A serial station's 1-based bit index: decimal digits only, no sign.
std::optional<int> ParseIndex(std::string_view code);

// Records for every out bit of a station, as (index, value) in index order.
// `falseFirst` sends the False bits before the True ones, as a change does.
std::string SerialRecords(const std::vector<bool>& outBits, bool falseFirst);

// One complete record as received, upper-cased.
struct Request {
    bool operator==(const Request&) const = default;
};
struct Data {
    std::string code;
    std::string value;
    bool operator==(const Data&) const = default;
};
// A record that is neither: kept so the owner can name it in its log line.
struct Garbled {
    std::string text;
    bool operator==(const Garbled&) const = default;
};
using Received = std::variant<Request, Data, Garbled>;

// Frames the byte stream of one connection into records. A record split by
// the network waits for its carriage return; a tail that grows past
// `maxRecord` without one is dropped and reported, so a peer cannot make it grow.
class RecordReader {
public:
    explicit RecordReader(std::size_t maxRecord = 256) : maxRecord_(maxRecord) {}

    // Every record completed by `chunk`, in order.
    std::vector<Received> Feed(std::string_view chunk);
    // Bytes dropped for want of a carriage return since the last call.
    std::size_t TakeDropped();
    void Clear();

private:
    std::size_t maxRecord_;
    std::string pending_;
    bool discarding_ = false;
    std::size_t dropped_ = 0;
};

Received ParseRecord(std::string_view record);

// Goes through what a peer sent: whether it asked for our state; each data record to
// `take`, which says whether it could use it; each record nothing could use to
// `refused`, as it came.
bool WalkRecords(const std::vector<Received>& records,
                 const std::function<void(const std::string&)>& refused,
                 const std::function<bool(const Data&)>& take);

}  // namespace veldra::links
