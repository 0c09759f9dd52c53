#pragma once

namespace veldra {

// The kinds of window a panel set makes, named once for the factory and the desktops that
// draw them.
class ASESPanel;
class BoardPanel;
class InOutBoardPanel;
class IOBoardPanel;
class Lamp16Panel;
class MXLampPanel;
class SerialPortPanel;
class TableWindow;
class TogglePanel;
class TrackPanel;

}  // namespace veldra
