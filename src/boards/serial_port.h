#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "boards/board_items.h"

namespace veldra {

class SerialInBit;
class SerialOutBit;

class SerialInBits : public BoardItems<SerialInBits, SerialInBit> {
public:
    // Appends an in bit under its name ("SPARE" without a key) and raises BitAdded. The
    // value is set as any later value is, so a True one leaves the bit marked changed. A
    // name already listed is refused with the model's error question and yields nothing.
    SerialInBit* Add(std::string_view BitName, bool BitValue);

    ItemAdded BitAdded;
};

class SerialOutBits : public BoardItems<SerialOutBits, SerialOutBit> {
public:
    // As SerialInBits::Add, for a bit the station sends.
    SerialOutBit* Add(std::string_view BitName, bool BitValue, bool IsTimer = false,
                      std::int32_t OnTime = 0, std::int32_t OffTime = 0);

    ItemAdded BitAdded;
};

// A named bit exchanged with a peer simulator, with a change latch: the station's window
// writes every received value and then passes on only the bits that really changed.
class SerialBit {
public:
    const std::string& BitName() const { return bitName_; }
    void SetBitName(std::string_view name) { bitName_ = std::string(name); }

    bool BitValue() const { return bitValue_; }
    // A value other than the one held sets the latch; repeating the value leaves it as it is.
    void SetBitValue(bool value);

    // Whether the value changed since the latch was last read; reading clears it. Two
    // changes between reads (there and back) still read as one.
    bool IsChanged();

    // The bit's indicator on the serial-station window.
    std::int16_t intIndex() const { return intIndex_; }
    void SetintIndex(std::int16_t index) { intIndex_ = index; }

protected:
    SerialBit() = default;
    ~SerialBit() = default;

private:
    std::string bitName_;
    bool bitValue_ = false;
    bool changed_ = false;
    std::int16_t intIndex_ = 0;
};

// A bit the station receives from its peer and hands to the program as an input; or the
// holder of the station's in bits.
class SerialInBit : public BoardItem<SerialInBits>, public SerialBit {
public:
    // The station's in bits on the holder; the list it is in on a bit.
    ::veldra::SerialInBits& SerialInBits() {
        return Plural(&::veldra::SerialInBits::BitAdded, BitAdded);
    }

    // On the holder: a bit was added to its list.
    ItemAdded BitAdded;
};

// A bit the logic drives and the station sends to its peer; or the holder of the
// station's out bits.
class SerialOutBit : public BoardItem<SerialOutBits>, public SerialBit {
public:
    // The station's out bits on the holder; the list it is in on a bit.
    ::veldra::SerialOutBits& SerialOutBits() {
        return Plural(&::veldra::SerialOutBits::BitAdded, BitAdded);
    }

    // The source's delay settings, kept as given; the bit's own delays are what count.
    bool IsTimer() const { return isTimer_; }
    void SetIsTimer(bool on) { isTimer_ = on; }
    std::int32_t OnTime() const { return onTime_; }
    void SetOnTime(std::int32_t ms) { onTime_ = ms; }
    std::int32_t OffTime() const { return offTime_; }
    void SetOffTime(std::int32_t ms) { offTime_ = ms; }

    // On the holder: a bit was added to its list.
    ItemAdded BitAdded;

private:
    bool isTimer_ = false;
    std::int32_t onTime_ = 0;
    std::int32_t offTime_ = 0;
};

// A serial station of a "LINK:" section: bits it receives from a peer simulator and
// bits it sends there, each list with its holder from the start.
class SerialPort {
public:
    SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // The holders; a new one replaces the one held, with all its bits.
    ::veldra::SerialInBit* SerialInBit() const { return inBits_.Get(); }
    void SetSerialInBit(std::unique_ptr<::veldra::SerialInBit> holder) {
        inBits_.Set(std::move(holder));
    }
    ::veldra::SerialOutBit* SerialOutBit() const { return outBits_.Get(); }
    void SetSerialOutBit(std::unique_ptr<::veldra::SerialOutBit> holder) {
        outBits_.Set(std::move(holder));
    }

    // The station's name.
    const std::string& PortName() const { return portName_; }
    void SetPortName(std::string_view name) { portName_ = std::string(name); }
    bool Adjustable() const { return adjustable_; }
    void SetAdjustable(bool on) { adjustable_ = on; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    bool Peer() const { return peer_; }
    void SetPeer(bool on) { peer_ = on; }

    ItemAdded OutBitAdded;
    ItemAdded InBitAdded;

private:
    std::string portName_;
    bool adjustable_ = false;
    bool enabled_ = false;
    bool peer_ = false;
    HolderSlot<::veldra::SerialInBit> inBits_{&::veldra::SerialInBit::BitAdded, InBitAdded};
    HolderSlot<::veldra::SerialOutBit> outBits_{&::veldra::SerialOutBit::BitAdded, OutBitAdded};
};

}  // namespace veldra
