#pragma once

namespace veldra {

// The windows are laid out in twips for an 8-point sans-serif face of the width the
// layouts were drawn for; every window, the tests' offscreen ones too, is drawn in it.
// Called once, after the application object exists and before any window is made.
void UseWindowFace();

}  // namespace veldra
