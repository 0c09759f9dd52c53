# The program window over a loaded program, offscreen.
veldra_ui_test(engine_qt_tests
    engine/qt/frmProgram_test.cpp
    engine/qt/program_side_windows_test.cpp
)
target_compile_definitions(engine_qt_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
