# The statements list, its menu entry and the faulty-statement editor, offscreen.
veldra_ui_test(statements_qt_tests
    ladder/qt/statements_window_test.cpp
)
target_compile_definitions(statements_qt_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
