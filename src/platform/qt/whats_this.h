#pragma once

namespace veldra {

// "What's This": the next click on a control shows that control's What's-This text. The
// help file of topics is not shipped, so a control without such a text shows nothing.
void EnterWhatsThisMode();

}  // namespace veldra
