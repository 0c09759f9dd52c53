# The application, its main window, the about box and keep-on-top placement, offscreen.
veldra_ui_test(shell_qt_tests
    shell/qt/frmMain_test.cpp
    shell/qt/shell_test.cpp
    shell/qt/windows_as_found_test.cpp
)
target_compile_definitions(shell_qt_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
