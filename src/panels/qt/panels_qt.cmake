# The board windows drawn over their halves.
target_sources(veldra_ui PRIVATE
    panels/qt/board_form.cpp
    panels/qt/io_forms.cpp
    panels/qt/frmToggle.cpp
    panels/qt/frmLMP16.cpp
    panels/qt/frmASES.cpp
    panels/qt/frmMXLamp.cpp
    panels/qt/frmTrack.cpp
    panels/qt/frmSerialPort.cpp
    panels/qt/board_windows.cpp
)
