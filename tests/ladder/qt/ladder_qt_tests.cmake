# The statement viewer over a loaded program, offscreen.
veldra_ui_test(ladder_qt_tests
    ladder/qt/frmShowAssign_test.cpp
)
target_compile_definitions(ladder_qt_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
