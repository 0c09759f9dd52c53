#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "boards/board_items.h"

namespace veldra {

class ControlBit;
class Channel;

// The encoder's control bits, keyed by name. Unlike other board lists it has no spare
// positions: "SPARE" is keyed like any name, so it can be listed once.
class ControlBits : public BoardItems<ControlBits, ControlBit> {
public:
    // Appends a control bit under its name; sKey plays no part. A name already listed is
    // refused with the model's error question and yields nothing.
    ControlBit* Add(std::string_view BitName, bool BitValue, std::int16_t Channel,
                    std::string_view sKey = {});

    // Removing a name or position that is not listed is a RuntimeError for the caller.
    void Remove(std::string_view key) { items_.Remove(key); }
    void Remove(int position) { items_.Remove(position); }
};

// The encoder's five channels, keyed "1" to "5" in that order.
class Channels : public BoardItems<Channels, Channel> {
public:
    // Appends a channel, both flags False, under sKey, or without a key when it is empty.
    // A key already present is refused with the model's error question and yields nothing.
    Channel* Add(std::string_view sKey);

    // The channels always exist, so asking for one that does not is a RuntimeError for the
    // caller rather than no object.
    Channel& Item(std::string_view key);
    Channel& Item(int position);
    void Remove(std::string_view key) { items_.Remove(key); }
    void Remove(int position) { items_.Remove(position); }
};

// One control bit of the encoder, belonging to one of its channels; or the holder of the
// control bits.
class ControlBit : public BoardItem<ControlBits> {
public:
    // The encoder's control bits on the holder; the list it is in on a bit.
    ::veldra::ControlBits& ControlBits() { return Plural(); }

    std::string BitName;  // the key
    bool BitValue = false;
    std::int16_t Channel = 0;  // 1 to 5 as the loader gives it; any number is kept
};

// One channel of the encoder; or the holder of the five channels.
class Channel : public BoardItem<Channels> {
public:
    // The encoder's channels on the holder; the list it is in on a channel.
    ::veldra::Channels& Channels() { return Plural(); }

    bool Adjustable = false;
    bool Enabled = false;  // changed on the encoder window
};

// The encoder board ("ASES.ENCODER"): five channels, each with its enabled flag, and the
// control bits that belong to them. It announces nothing; its window reads it as it needs.
class ASES : public BoardHeader {
public:
    ASES();
    ASES(const ASES&) = delete;
    ASES& operator=(const ASES&) = delete;

    const std::string& BoardType() const { return boardType_; }
    void SetBoardType(std::string_view type) { boardType_ = std::string(type); }

    // The holders, made with the board together with its five channels; they are never
    // replaced, so channels "1" to "5" are always there.
    ::veldra::Channel& Channel() { return channel_; }
    ::veldra::ControlBit& ControlBit() { return controlBit_; }

private:
    std::string boardType_;
    ::veldra::ControlBit controlBit_;
    ::veldra::Channel channel_;
};

}  // namespace veldra
