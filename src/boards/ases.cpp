#include "boards/ases.h"

#include <memory>

#include "platform/runtime_error.h"

namespace veldra {

ControlBit* ControlBits::Add(std::string_view BitName, bool BitValue, std::int16_t Channel,
                             std::string_view /*sKey*/) {
    auto bit = std::make_unique<ControlBit>();
    bit->BitName = std::string(BitName);
    bit->BitValue = BitValue;
    bit->Channel = Channel;
    return Insert(BitName, std::move(bit));
}

Channel* Channels::Add(std::string_view sKey) {
    return Insert(sKey, std::make_unique<Channel>());
}

Channel& Channels::Item(std::string_view key) {
    Channel* channel = items_.Item(key);
    if (channel == nullptr) {
        throw RuntimeError(errors::kInvalidProcedureCall);
    }
    return *channel;
}

Channel& Channels::Item(int position) {
    Channel* channel = items_.Item(position);
    if (channel == nullptr) {
        throw RuntimeError(errors::kSubscriptOutOfRange);
    }
    return *channel;
}

ASES::ASES() {
    for (const char* number : {"1", "2", "3", "4", "5"}) {
        channel_.Channels().Add(number);
    }
}

}  // namespace veldra
