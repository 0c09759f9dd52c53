#include "links/serial_link.h"

#include <utility>

#include "panels/serial_port_panel.h"

namespace veldra::links {

std::string SerialLink::OutRecords(bool falseFirst) const {
    const SerialPort* board = panel_.MyBoard();
    if (board == nullptr || board->SerialOutBit() == nullptr)
        return {};
    std::vector<bool> values;
    for (const auto& bit : board->SerialOutBit()->SerialOutBits())
        values.push_back(bit.BitValue());
    return SerialRecords(values, falseFirst);
}

bool SerialLink::Receive(const std::vector<Received>& records,
                         const std::function<void(const std::string&)>& refused) {
    bool request = false;
    const auto refuse = [&](const std::string& text) {
        if (refused)
            refused(text);
    };
    std::vector<std::pair<int, bool>> bits;
    for (const Received& record : records) {
        if (std::holds_alternative<Request>(record)) {
            request = true;
        } else if (const auto* garbled = std::get_if<Garbled>(&record)) {
            refuse(garbled->text);
        } else {
            const auto& data = std::get<Data>(record);
            const auto index = ParseIndex(data.code);
            const auto value = ParseValue(data.value);
            if (!index || !value) {
                refuse(data.code + "," + data.value);
                continue;
            }
            bits.emplace_back(*index, *value);
        }
    }
    if (!bits.empty())
        panel_.ReceiveBits(bits);
    return request;
}

}  // namespace veldra::links
