#include "boards/lamp16.h"

namespace veldra {

Lamp* Lamps::Add(bool LampOn, bool LampOut, std::string_view LampOnName,
                 std::string_view LampOutName, std::string_view LampWattage, bool AdjustableWattage,
                 bool Mode, bool IsTimer, std::int32_t OnTime, std::int32_t OffTime) {
    auto lamp = std::make_unique<Lamp>();
    lamp->LampOn = LampOn;
    lamp->LampOut = LampOut;
    lamp->LampOnName = std::string(LampOnName);
    lamp->LampOutName = std::string(LampOutName);
    lamp->LampWattage = std::string(LampWattage);
    lamp->IsTimer = IsTimer;
    lamp->OnTime = OnTime;
    lamp->OffTime = OffTime;
    lamp->AdjustableWattage = AdjustableWattage;
    lamp->Mode = Mode;
    return Append(LampOnName, std::move(lamp), LampAdded);
}

Lamp16::Lamp16() {
    lamps_.Set(std::make_unique<::veldra::Lamp>());
}

}  // namespace veldra
