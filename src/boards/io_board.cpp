#include "boards/io_board.h"

namespace veldra {

BoardInput* BoardInputs::Add(std::string_view InputName, bool InputState) {
    auto input = std::make_unique<BoardInput>();
    input->InputName = std::string(InputName);
    input->InputState = InputState;
    return Append(InputName, std::move(input), BitAdded);
}

BoardOutput* BoardOutputs::Add(std::string_view OutputName, bool OutputState, bool IsTimer,
                               std::int32_t OnTime, std::int32_t OffTime) {
    auto output = std::make_unique<BoardOutput>();
    output->OutputName = std::string(OutputName);
    output->OutputState = OutputState;
    output->IsTimer = IsTimer;
    output->OffTime = OffTime;
    output->OnTime = OnTime;
    return Append(OutputName, std::move(output), BitAdded);
}

}  // namespace veldra
