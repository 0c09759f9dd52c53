#include "links/serial_link.h"

#include <utility>

#include "boards/serial_port.h"

namespace veldra::links {

std::string SerialLink::OutRecords(bool falseFirst) const {
    const SerialPort* board = window_.LinkedBoard();
    if (board == nullptr || board->SerialOutBit() == nullptr)
        return {};
    std::vector<bool> values;
    for (const auto& bit : board->SerialOutBit()->SerialOutBits())
        values.push_back(bit.BitValue());
    return SerialRecords(values, falseFirst);
}

bool SerialLink::Receive(const std::vector<Received>& records,
                         const std::function<void(const std::string&)>& refused) {
    std::vector<std::pair<int, bool>> bits;
    const bool request = WalkRecords(records, refused, [&](const Data& data) {
        const auto index = ParseIndex(data.code);
        const auto value = ParseValue(data.value);
        if (!index || !value)
            return false;
        bits.emplace_back(*index, *value);
        return true;
    });
    if (!bits.empty())
        window_.ReceiveBits(bits);
    return request;
}

}  // namespace veldra::links
