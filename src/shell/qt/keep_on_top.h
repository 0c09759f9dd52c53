#pragma once

class QMdiArea;

namespace veldra {

// Applies the keep-on-top choices of the program window ("Always On Top") and of every
// statement view ("Stay On Top") in one go: each window first loses its topmost state
// and is raised again only if its choice says so, the program window last, so it ends
// above the statement views. The program window is given its fixed size on every call.
// Does nothing while no program window is open.
void SetTopWindows(QMdiArea& area);

}  // namespace veldra
