#pragma once

#include <vector>

class QMdiArea;
class QMdiSubWindow;

namespace veldra {

// "Cascade", after every load and from the "Windows" menu: the program window at the top
// left of the main window's area, and every other window cascaded in the room it leaves
// free beside or below it (whichever is larger), so that none starts out hidden under the
// window that stays on top. Each keeps its size; a column that reaches the bottom of the
// room starts another further right. Minimised and hidden windows stay where they are.
// Its cost grows in step with the number of windows. Windows about to be shown
// (`comingIntoView`) are arranged as if shown already: a window out of sight moves without
// anything being drawn again, so many are best arranged before they are shown.
void CascadeWindows(QMdiArea& area, const std::vector<QMdiSubWindow*>& comingIntoView = {});

}  // namespace veldra
