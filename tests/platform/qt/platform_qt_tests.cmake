# The desktop under Qt, offscreen.
veldra_ui_test(platform_qt_tests
    platform/qt/dialogs_test.cpp
    platform/qt/ini_settings_test.cpp
    platform/qt/timer_driver_test.cpp
    platform/qt/window_registry_test.cpp
    platform/qt/widgets_test.cpp
    platform/qt/replacing_files_test.cpp
    platform/qt/title_bar_icons_test.cpp
    platform/qt/frmStatus_test.cpp
)
target_compile_definitions(platform_qt_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
