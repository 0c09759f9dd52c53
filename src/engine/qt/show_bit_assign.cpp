#include "engine/qt/show_bit_assign.h"

#include "platform/platform.h"

namespace veldra {

void ShowBitAssign(std::string_view BitName) {
    (void)BitName;
    MsgBox("No Statement Found", MsgButtons::Ok, MsgIcon::Information, "Veldra");
}

}  // namespace veldra
