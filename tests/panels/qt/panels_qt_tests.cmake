# The board windows drawn over their halves, offscreen.
veldra_ui_test(panels_qt_tests
    panels/qt/board_windows_test.cpp
)
target_compile_definitions(panels_qt_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
