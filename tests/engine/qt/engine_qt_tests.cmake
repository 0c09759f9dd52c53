# The program window over a loaded program, offscreen.
veldra_ui_test(engine_qt_tests
    engine/qt/frmProgram_test.cpp
)
