# The loading-progress window as the loader drives it, offscreen.
veldra_ui_test(loader_qt_tests
    loader/qt/frmStatus_test.cpp
)
target_compile_definitions(loader_qt_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
