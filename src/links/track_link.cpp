#include "links/track_link.h"

namespace veldra::links {

namespace {

template <class End>
std::vector<std::string> OutNames(End& end) {
    std::vector<std::string> names;
    for (const auto& code : end.OutCode().Codes())
        names.push_back(code.CodeName);
    return names;
}

void Join(std::string& text, std::string_view item) {
    if (!text.empty())
        text += ", ";
    text += item;
}

}  // namespace

std::string TrackLink::OutRecords(TrackSide side) const {
    const TrackBoard* board = window_.LinkedBoard();
    if (board == nullptr)
        return {};
    const TrackWire wire = TrackWireOf(board->BoardType());
    std::string records;
    const auto build = [&](auto* end) {
        if (end == nullptr)
            return;
        const auto names = OutNames(*end);
        for (const auto& code : end->OutCode().Codes()) {
            // The peer could only refuse a record without a code: it is not sent.
            const std::string wireCode = WireCode(wire, names, code.CodeName);
            if (!wireCode.empty())
                records += DataRecord(wireCode, code.CodeValue);
        }
    };
    if (side == TrackSide::A)
        build(board->TrackA());
    else
        build(board->TrackB());
    return records;
}

namespace {

// What an end receives is the codes its in codes hold once the batch is applied, so that
// a peer's state split across two reads never reads as no code at all.
template <class Codes>
std::string HeldCodes(TrackWire wire, const Codes& inCodes) {
    std::string held;
    const int count = inCodes.Count();
    for (int p = 1; p <= count; ++p) {
        const auto& code = *inCodes.Item(p);
        if (!code.RecievedTwice())
            continue;
        if (wire == TrackWire::Ecode) {
            if (p <= 10)
                Join(held, p == 10 ? "M" : std::to_string(p));
        } else if (!code.CodeName().ends_with(".LINKUP")) {  // the end's own, not the peer's
            Join(held, p == count - 1 ? "B" : p == count ? "C" : CodeLetter(p));
        }
    }
    return held;
}

}  // namespace

bool TrackLink::Receive(TrackSide side, const std::vector<Received>& records,
                        const std::function<void(const std::string&)>& refused) {
    const TrackBoard* board = window_.LinkedBoard();
    if (board == nullptr)
        return false;
    const TrackWire wire = TrackWireOf(board->BoardType());
    const bool shunted = window_.Shunted(side);
    bool tookCodes = false;
    std::string received;
    bool request = false;
    const auto apply = [&](auto* end) {
        if (end == nullptr)
            return;
        auto& inCodes = end->InCode().Codes();
        request = WalkRecords(records, refused, [&](const Data& data) {
            if (shunted)
                return true;
            const auto position = InCodePosition(wire, data.code, inCodes.Count());
            const auto value = ParseValue(data.value);
            if (!position || !value)
                return false;
            tookCodes = true;
            inCodes.Item(*position)->SetRecievedTwice(*value);
            return true;
        });
        if (tookCodes)
            received = HeldCodes(wire, inCodes);
    };
    if (side == TrackSide::A)
        apply(board->TrackA());
    else
        apply(board->TrackB());
    if (tookCodes)
        window_.TakeLinkedCodes(side, std::move(received));
    return request;
}

}  // namespace veldra::links
