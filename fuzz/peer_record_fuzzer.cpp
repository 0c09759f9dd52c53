// Hands arbitrary bytes to a peer link's receiving side as a peer would send them: framed
// into records by the record reader in chunks of the sizes the input chooses (so records
// arrive split across reads), each record read as a receiver reads it, then applied to the
// two ends of a TRX and of an ECODE coded track and to a serial station of a loaded
// program. Whatever the bytes, framing must not depend on how they were split, must hold no
// more than its bound, and every code, index or value accepted must name something real.
//
// Input: byte 0 picks the reader's bound (bits 0-1) and which track ends are shunted (bits
// 2-5); byte 1 gives the count (0 to 7) of chunk sizes that follow, one byte each, used in
// turn (0 feeds an empty chunk); the rest is the byte stream.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "boards/serial_port.h"
#include "boards/track_board.h"
#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "links/peer_codec.h"
#include "links/serial_link.h"
#include "links/track_link.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "panels/serial_port_panel.h"
#include "panels/track_panel.h"
#include "platform/clock.h"
#include "platform/platform.h"

namespace {

using namespace veldra;
using links::Data;
using links::Garbled;
using links::Received;
using links::Request;

// A coded track of each kind, both ends linked, and a serial station with three in bits.
constexpr std::string_view kSource = R"(PROGRAM PEERS;

BOARD: TRX_1
    ADJUSTABLE
    ENABLE: 1
    TYPE: TRX.TRACK
    TRACKA:
        T_AADJ
        TRACK.NAME: WEST
        INPUT: TW_C1, TW_C2, TW_C3, TW_C4;
        OUTPUT: TW_O1, TW_O2;
        ADJUSTABLE
        ENABLE: 1;
    TRACKB:
        T_BADJ
        TRACK.NAME: EAST
        INPUT: TE_C1;
        OUTPUT: TE_O1;
        FIXED
        ENABLE: 1;

BOARD: EC_1
    FIXED
    ENABLE: 1
    TYPE: ECODE.TRACK
    TRACKA:
        TRACK.NAME: UP
        ADJUSTABLE
        ENABLE: 1;
    TRACKB:
        TRACK.NAME: DOWN
        ENABLE: 1;

LINK:
    STATION.NAME: WD
    ADDRESS: 4
    PEER
    ADJUSTABLE
    ENABLE: 1
    INPUT: WD_IN1, WD_IN2, WD_IN3;
    OUTPUT: WD_OUT1, WD_OUT2;

LOGIC BEGIN
    ASSIGN WD_IN1 * TW_C1 TO WD_OUT1;
    ASSIGN EC_1.UP.CODE.2.IN TO TW_O1;
END LOGIC
END PROGRAM
)";

constexpr std::size_t kBounds[] = {256, 16, 4, 1};
constexpr int kInCodeCounts[] = {0, 1, 2, 3, 10, 20, 22};

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "peer_record_fuzzer: %s\n", what);
    std::abort();
}

void Check(bool holds, const char* what) {
    if (!holds) {
        Fail(what);
    }
}

class ClickingThrough final : public Platform {
public:
    MsgAnswer MsgBox(const MsgBoxRequest& request) override {
        return MostCautiousAnswer(request.buttons);
    }
    void EndApplication() override {}
    void UnloadLoadingProgress() override {}
};

class FixedClock final : public Clock {
public:
    TimeOfDay Now() const override { return {12, 0, 0}; }
    // Time stands still: the desktop is never due a turn inside a run.
    std::chrono::nanoseconds Steady() const override { return {}; }
};

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

// The length of the record a reader gave, as it stood in the stream.
std::size_t RecordLength(const Received& record) {
    if (std::holds_alternative<Request>(record)) {
        return 1;
    }
    if (const auto* data = std::get_if<Data>(&record)) {
        return data->code.size() + 1 + data->value.size();
    }
    return std::get<Garbled>(record).text.size();
}

// What a reader with bound `bound` must make of `stream` read whole, worked out from the
// carriage returns alone: records, bytes dropped, and the tail still waiting.
struct Framing {
    std::vector<Received> records;
    std::size_t dropped = 0;
    std::size_t pending = 0;
};

Framing Expected(std::string_view stream, std::size_t bound) {
    Framing framing;
    std::size_t start = 0;
    while (start <= stream.size()) {
        const std::size_t end = stream.find(links::kRecordEnd, start);
        const std::size_t length = (end == std::string_view::npos ? stream.size() : end) - start;
        if (length > bound) {
            framing.dropped += length;
        } else if (end == std::string_view::npos) {
            framing.pending = length;
        } else if (length > 0) {
            framing.records.push_back(links::ParseRecord(stream.substr(start, length)));
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return framing;
}

// A record read as the receiver reads it: each accepted code, index or value checked
// against what it claims to name.
void ReadRecord(const Received& record) {
    if (const auto* garbled = std::get_if<Garbled>(&record)) {
        Check(garbled->text.find(',') == std::string::npos, "a garbled record holds a comma");
        Check(garbled->text != "Z", "a request read as garbled");
        Check(garbled->text == Upper(garbled->text), "a garbled record not upper-cased");
        return;
    }
    const auto* data = std::get_if<Data>(&record);
    if (data == nullptr) {
        return;
    }
    Check(data->code.find(',') == std::string::npos, "a code holds a comma");
    Check(data->code == Upper(data->code) && data->value == Upper(data->value),
          "a data record not upper-cased");
    for (const int count : kInCodeCounts) {
        for (const auto wire : {links::TrackWire::Trx, links::TrackWire::Ecode}) {
            const std::optional<int> position = links::InCodePosition(wire, data->code, count);
            Check(!position || (*position >= 1 && *position <= count),
                  "an in-code position outside the end's in codes");
        }
        const std::optional<int> trx = links::TrxPosition(data->code, count);
        if (trx && data->code != "B" && data->code != "C") {
            Check(links::CodeLetter(*trx) == data->code, "a TRX letter does not name its position");
        }
    }
    if (const std::optional<int> ecode = links::EcodePosition(data->code)) {
        Check(*ecode >= 1 && *ecode <= 10, "an ECODE position outside 1..10");
        Check(links::EcodeWireCode(".CODE." + data->code + ".OUT") == data->code,
              "an ECODE code does not come back as itself");
    }
    if (const std::optional<int> index = links::ParseIndex(data->code)) {
        Check(*index >= 1, "a serial index below 1");
        std::string digits = data->code;
        digits.erase(0, digits.find_first_not_of('0'));
        Check(std::to_string(*index) == digits, "a serial index that is not its digits");
    }
    if (const std::optional<bool> value = links::ParseValue(data->value)) {
        Check(data->value == (*value ? "TRUE" : "FALSE"), "a value other than TRUE or FALSE");
        // What we would send for it reads back as the same record.
        links::RecordReader echo(1024);
        const auto back = echo.Feed(links::DataRecord(data->code, *value));
        Check(back.size() == 1 && back.front() == record, "a data record does not read back");
    } else {
        Check(data->value != "TRUE" && data->value != "FALSE", "a Boolean value refused");
    }
}

// Feeds `stream` in chunks of the sizes given, in turn, and checks the framing against one
// worked out from the carriage returns alone: same records, same bytes dropped, and after
// every chunk no more held than the bound.
std::vector<Received> Frame(std::string_view stream, const std::vector<std::size_t>& sizes,
                            std::size_t bound) {
    links::RecordReader reader(bound);
    std::vector<Received> records;
    std::size_t dropped = 0;
    std::size_t lengths = 0;
    std::size_t fed = 0;
    std::size_t at = 0;
    std::size_t turn = 0;
    // Empty chunks alone would never get through the stream: then it goes in whole.
    const bool advances =
        std::any_of(sizes.begin(), sizes.end(), [](std::size_t size) { return size > 0; });
    while (at < stream.size()) {
        const std::size_t size = advances ? sizes[turn++ % sizes.size()] : stream.size();
        const std::string_view chunk = stream.substr(at, size);
        at += chunk.size();
        for (const char c : chunk) {
            fed += c == links::kRecordEnd ? 0 : 1;
        }
        for (Received& record : reader.Feed(chunk)) {
            const std::size_t length = RecordLength(record);
            Check(length >= 1 && length <= bound, "a record longer than the bound");
            lengths += length;
            records.push_back(std::move(record));
        }
        dropped += reader.TakeDropped();
        Check(lengths + dropped <= fed, "more bytes out of the reader than went in");
        Check(fed - lengths - dropped <= bound, "the reader holds more than its bound");
    }
    const Framing whole = Expected(stream, bound);
    Check(records == whole.records, "records depend on how the stream was split");
    Check(dropped == whole.dropped, "bytes dropped depend on how the stream was split");
    Check(fed - lengths - dropped == whole.pending, "the tail held is not the unended record");
    return records;
}

bool AnyRequest(const std::vector<Received>& records) {
    for (const Received& record : records) {
        if (std::holds_alternative<Request>(record)) {
            return true;
        }
    }
    return false;
}

// The refusals of one call: each a record as it came, never nothing.
struct Refusals {
    void operator()(const std::string& record) const {
        Check(!record.empty(), "an empty record refused");
    }
};

template <class End>
void ApplyToEnd(TrackPanel& panel, TrackSide side, End* end, const std::vector<Received>& records) {
    links::TrackLink link(panel);
    Refusals refusals;
    const bool shunted = panel.End(side).shunt.ticked;
    const bool asked = link.Receive(side, records, std::ref(refusals));
    if (end == nullptr) {
        Check(!asked, "an end that is not there asked for codes");
        return;
    }
    Check(asked == AnyRequest(records), "a request not answered, or answered unasked");
    auto& inCodes = end->InCode().Codes();
    const links::TrackWire wire = links::TrackWireOf(panel.MyBoard()->BoardType());
    // Each in code holds the last value the records gave it.
    std::vector<std::optional<bool>> last(static_cast<std::size_t>(inCodes.Count()) + 1);
    for (const Received& record : records) {
        const auto* data = std::get_if<Data>(&record);
        if (data == nullptr) {
            continue;
        }
        const auto position = links::InCodePosition(wire, data->code, inCodes.Count());
        const auto value = links::ParseValue(data->value);
        if (position && value) {
            last[static_cast<std::size_t>(*position)] = *value;
        }
    }
    for (int p = 1; p <= inCodes.Count(); ++p) {
        const auto& value = last[static_cast<std::size_t>(p)];
        if (value && !shunted) {
            Check(inCodes.Item(p)->RecievedTwice() == *value, "an in code missed its last value");
        }
    }
    // The code delay evaluates what came; a few ticks take it through its status rules.
    for (int tick = 0; tick < 3; ++tick) {
        panel.CodeDelayTimer(side).Fire();
    }
    // What the end sends back reads as records of known values.
    for (const Received& record : Frame(link.OutRecords(side), {}, 256)) {
        const auto* data = std::get_if<Data>(&record);
        Check(data != nullptr && links::ParseValue(data->value).has_value(),
              "an out record that does not read back");
    }
}

void ApplyToStation(SerialPortPanel& panel, const std::vector<Received>& records) {
    links::SerialLink link(panel);
    Refusals refusals;
    Check(link.Receive(records, std::ref(refusals)) == AnyRequest(records),
          "a station's request not answered, or answered unasked");
    SerialPort* station = panel.MyBoard();
    if (station == nullptr || station->SerialInBit() == nullptr) {
        return;
    }
    auto& ins = station->SerialInBit()->SerialInBits();
    std::vector<std::optional<bool>> last(static_cast<std::size_t>(ins.Count()) + 1);
    for (const Received& record : records) {
        const auto* data = std::get_if<Data>(&record);
        if (data == nullptr) {
            continue;
        }
        const auto index = links::ParseIndex(data->code);
        const auto value = links::ParseValue(data->value);
        if (index && value && *index <= ins.Count()) {
            last[static_cast<std::size_t>(*index)] = *value;
        }
    }
    for (int i = 1; i <= ins.Count(); ++i) {
        const auto& value = last[static_cast<std::size_t>(i)];
        if (value) {
            Check(ins.Item(i)->BitValue() == *value, "an in bit missed its last value");
        }
    }
    for (const Received& record : Frame(link.OutRecords(true), {}, 256)) {
        const auto* data = std::get_if<Data>(&record);
        Check(data != nullptr && links::ParseIndex(data->code).has_value() &&
                  links::ParseValue(data->value).has_value(),
              "a station's out record that does not read back");
    }
}

class FinishingLoad final : public LoaderHost {
public:
    FinishingLoad(ProgramEngine& engine, PanelSet& panels) : engine_(engine), panels_(panels) {}
    void LoadFinished() override { engine_.LoadFinished(panels_.Windows()); }

private:
    ProgramEngine& engine_;
    PanelSet& panels_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ClickingThrough platform;
    static PlatformScope installed(platform);

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::uint8_t options = size > 0 ? data[0] : 0;
    const std::size_t sizeCount = size > 1 ? data[1] % 8 : 0;
    std::vector<std::size_t> sizes;
    for (std::size_t i = 0; i < sizeCount && 2 + i < size; ++i) {
        sizes.push_back(data[2 + i]);
    }
    const std::string_view stream = input.substr(std::min(size, 2 + sizes.size()));
    const std::size_t bound = kBounds[options % 4];

    const std::vector<Received> records = Frame(stream, sizes, bound);
    for (const Received& record : records) {
        ReadRecord(record);
    }

    FixedClock clock;
    ProgramWindow window;
    ProgramEngine engine(window, clock);
    PanelSet panels(engine.InputQueue());
    FinishingLoad host(engine, panels);
    {
        ParseText loader(engine, host, panels);
        loader.GetProgramFromText(std::string(kSource));
    }
    int tracks = 0;
    int stations = 0;
    for (BoardPanel* board : panels.Windows()) {
        if (auto* track = dynamic_cast<TrackPanel*>(board)) {
            ++tracks;
            TrackBoard* trackBoard = track->MyBoard();
            Check(trackBoard != nullptr, "a coded-track window without its board");
            const int shift = tracks == 1 ? 2 : 4;
            if (options & (1 << shift)) {
                track->SetShunt(TrackSide::A, true);
            }
            if (options & (1 << (shift + 1))) {
                track->SetShunt(TrackSide::B, true);
            }
            ApplyToEnd(*track, TrackSide::A, trackBoard->TrackA(), records);
            ApplyToEnd(*track, TrackSide::B, trackBoard->TrackB(), records);
        } else if (auto* station = dynamic_cast<SerialPortPanel*>(board)) {
            ++stations;
            ApplyToStation(*station, records);
        }
    }
    Check(tracks == 2 && stations == 1, "the program of two tracks and a station did not load");
    panels.CloseAll();
    return 0;
}
