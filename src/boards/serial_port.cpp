#include "boards/serial_port.h"

namespace veldra {

void SerialBit::SetBitValue(bool value) {
    if (value != bitValue_) {
        changed_ = true;
    }
    bitValue_ = value;
}

bool SerialBit::IsChanged() {
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

SerialInBit* SerialInBits::Add(std::string_view BitName, bool BitValue) {
    auto bit = std::make_unique<SerialInBit>();
    bit->SetBitName(BitName);
    bit->SetBitValue(BitValue);
    return Append(BitName, std::move(bit), BitAdded);
}

SerialOutBit* SerialOutBits::Add(std::string_view BitName, bool BitValue, bool IsTimer,
                                 std::int32_t OnTime, std::int32_t OffTime) {
    auto bit = std::make_unique<SerialOutBit>();
    bit->SetBitName(BitName);
    bit->SetBitValue(BitValue);
    bit->SetIsTimer(IsTimer);
    bit->SetOnTime(OnTime);
    bit->SetOffTime(OffTime);
    return Append(BitName, std::move(bit), BitAdded);
}

SerialPort::SerialPort() {
    inBits_.Set(std::make_unique<::veldra::SerialInBit>());
    outBits_.Set(std::make_unique<::veldra::SerialOutBit>());
}

}  // namespace veldra
