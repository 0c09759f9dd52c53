# The board windows drawn over their halves, offscreen.
veldra_ui_test(panels_qt_tests
    panels/qt/board_windows_test.cpp
)
target_compile_definitions(panels_qt_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")

# The lamp-driver, encoder and signal-head windows.
veldra_ui_test(panels_signal_forms_tests
    panels/qt/signal_forms_test.cpp
)
target_compile_definitions(panels_signal_forms_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")

# The coded-track and serial-station windows, alone and in the running simulator.
veldra_ui_test(link_windows_qt_tests
    panels/qt/link_windows_test.cpp
)
target_compile_definitions(link_windows_qt_tests PRIVATE
    VELDRA_EXAMPLES="${CMAKE_SOURCE_DIR}/examples")
