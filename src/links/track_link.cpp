#include "links/track_link.h"

#include "panels/track_panel.h"

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
    const TrackBoard* board = panel_.MyBoard();
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

bool TrackLink::Receive(TrackSide side, const std::vector<Received>& records,
                        const std::function<void(const std::string&)>& refused) {
    const TrackBoard* board = panel_.MyBoard();
    if (board == nullptr)
        return false;
    const TrackWire wire = TrackWireOf(board->BoardType());
    const bool shunted = panel_.End(side).shunt.ticked;
    bool request = false;
    bool tookCodes = false;
    const auto refuse = [&](const std::string& text) {
        if (refused)
            refused(text);
    };
    std::string label;
    const auto apply = [&](auto* end) {
        if (end == nullptr)
            return;
        auto& inCodes = end->InCode().Codes();
        for (const Received& record : records) {
            if (std::holds_alternative<Request>(record)) {
                request = true;
                continue;
            }
            if (const auto* garbled = std::get_if<Garbled>(&record)) {
                refuse(garbled->text);
                continue;
            }
            if (shunted)
                continue;
            const auto& data = std::get<Data>(record);
            const auto position = InCodePosition(wire, data.code, inCodes.Count());
            const auto value = ParseValue(data.value);
            if (!position || !value) {
                refuse(data.code + "," + data.value);
                continue;
            }
            tookCodes = true;
            inCodes.Item(*position)->SetRecievedTwice(*value);
            if (!*value)
                continue;
            if (wire == TrackWire::Ecode) {
                label.clear();
                for (int p = 1; p <= 10 && p <= inCodes.Count(); ++p) {
                    if (inCodes.Item(p)->RecievedTwice())
                        Join(label, p == 10 ? "M" : std::to_string(p));
                }
            } else {
                Join(label, data.code);
            }
        }
    };
    if (side == TrackSide::A)
        apply(board->TrackA());
    else
        apply(board->TrackB());
    if (tookCodes) {
        panel_.SetReceived(side, label);
        panel_.CodeDelayTimer(side).SetEnabled(true);
        panel_.Changed.Raise();
    }
    return request;
}

}  // namespace veldra::links
