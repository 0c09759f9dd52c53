# The about box, the keep-on-top placement and the program window in the main window, offscreen.
veldra_ui_test(shell_qt_tests
    shell/qt/shell_test.cpp
)
target_compile_definitions(shell_qt_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
