#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "boards/board_items.h"

namespace veldra {

class Lamp;

class Lamps : public BoardItems<Lamps, Lamp> {
public:
    // Appends a lamp under its lamp-on name ("SPARE" without a key) and raises LampAdded
    // with that name. A lamp-on name already listed is refused with the model's error
    // question and yields nothing.
    Lamp* Add(bool LampOn, bool LampOut, std::string_view LampOnName, std::string_view LampOutName,
              std::string_view LampWattage, bool AdjustableWattage, bool Mode, bool IsTimer = false,
              std::int32_t OnTime = 0, std::int32_t OffTime = 0);

    ItemAdded LampAdded;
};

// One lamp of a lamp driver: its lamp-on bit, an output the logic drives, and its
// lamp-out bit, an input the user changes on the window. Or the holder of the lamps.
class Lamp : public BoardItem<Lamps> {
public:
    // The board's lamps on the holder; the list it is in on a lamp.
    ::veldra::Lamps& Lamps() { return Plural(&::veldra::Lamps::LampAdded, LampAdded); }

    std::string LampOnName;  // the key
    std::string LampOutName;
    bool LampOn = false;
    bool LampOut = false;
    std::int16_t intIndex = 0;  // the lamp's row on the lamp driver window
    // Read back only by the loader.
    std::string LampWattage;
    bool AdjustableWattage = false;
    bool Mode = false;
    // The source's delay settings, kept as given; the bit's own delays are what count.
    bool IsTimer = false;
    std::int32_t OnTime = 0;
    std::int32_t OffTime = 0;

    // On the holder: a lamp was added to its list.
    ItemAdded LampAdded;
};

// A lamp driver board: "LAMP16", or an LED board ("LED6", "LED12"). The type word itself
// is not kept; LED is all that is left of it.
class Lamp16 : public BoardHeader {
public:
    Lamp16();
    Lamp16(const Lamp16&) = delete;
    Lamp16& operator=(const Lamp16&) = delete;

    bool LED() const { return led_; }
    void SetLED(bool on) { led_ = on; }

    // The lamp holder: one from the start; a new one replaces it with all its lamps.
    ::veldra::Lamp* Lamp() const { return lamps_.Get(); }
    void SetLamp(std::unique_ptr<::veldra::Lamp> holder) { lamps_.Set(std::move(holder)); }

    ItemAdded LampAdded;

private:
    bool led_ = false;
    HolderSlot<::veldra::Lamp> lamps_{&::veldra::Lamp::LampAdded, LampAdded};
};

}  // namespace veldra
