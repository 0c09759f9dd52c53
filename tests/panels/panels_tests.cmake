# Tests of the board windows' non-visual halves.
veldra_core_test(panels_tests
    panels/io_panels_test.cpp
    panels/lamp16_panel_test.cpp
    panels/ases_panel_test.cpp
    panels/mx_lamp_panel_test.cpp
    panels/toggle_panel_test.cpp
    panels/track_panel_test.cpp
    panels/track_evaluation_test.cpp
    panels/serial_port_panel_test.cpp
    panels/panel_set_test.cpp
    panels/table_window_test.cpp
)
target_include_directories(panels_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
