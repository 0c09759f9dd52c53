#pragma once

#include "panels/board_window_kinds.h"

namespace veldra {

class Table;

// Where the loader gets a new window for each board it reads, and the program window one
// for each state table: the desktop makes a window that draws the returned half, a test
// or a headless run makes the half alone. A window lives until it is closed for good;
// the maker keeps the open ones, in the order they were made, as the program's list of
// boards. The loader gives each new board window its board model (SetMyBoard) before it
// adds any item to the board.
class BoardWindowFactory {
public:
    virtual ~BoardWindowFactory() = default;

    // frmIOBoard: IN16, NV.IN32, IN6, OUT16, CODER.OUT, NVB.OUT12, NV.OUT32.
    virtual IOBoardPanel& NewIOBoardWindow() = 0;
    // frmInOutBoard: IN8.OUT8, IN4.OUT4, IN4.OUT2.ISO, NV.IN32.OUT32, NV.IN32.OUT16,
    // MIXIO, IN6.OUT6.
    virtual InOutBoardPanel& NewInOutBoardWindow() = 0;
    // frmLMP16: LAMP16, LED12, LED6.
    virtual Lamp16Panel& NewLampWindow() = 0;
    // frmTrack: TRX.TRACK, ECODE.TRACK.
    virtual TrackPanel& NewTrackWindow() = 0;
    // frmMXLamp: COLOR.LIGHT, SEARCH.LIGHT.
    virtual MXLampPanel& NewMXLampWindow() = 0;
    // frmASES: ASES.ENCODER.
    virtual ASESPanel& NewASESWindow() = 0;
    // frmSerialPort: each station of a "LINK:" section.
    virtual SerialPortPanel& NewSerialPortWindow() = 0;
    // frmToggle: the one toggle-bits window of the loaded program, made at the first call
    // after the previous one was closed.
    virtual TogglePanel& ToggleWindow() = 0;
    // frmTable: the window of a state table the program created.
    virtual BoardPanel& NewTableWindow(Table& table) = 0;

    // Shows a window the loader has finished filling.
    virtual void ShowWindow(BoardPanel& window) = 0;
};

}  // namespace veldra
