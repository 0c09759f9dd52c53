# The non-visual halves of the board windows, part of the core library.
target_sources(veldra_core PRIVATE
    panels/board_window.cpp
    panels/io_panel.cpp
    panels/io_board_panel.cpp
    panels/in_out_board_panel.cpp
    panels/lamp16_panel.cpp
    panels/ases_panel.cpp
    panels/mx_lamp_panel.cpp
    panels/toggle_panel.cpp
    panels/track_panel.cpp
    panels/track_evaluation.cpp
    panels/serial_port_panel.cpp
    panels/panel_set.cpp
    panels/table_window.cpp
)
