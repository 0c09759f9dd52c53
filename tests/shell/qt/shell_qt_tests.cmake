# The application, its main window, the about box and keep-on-top placement, offscreen.
veldra_ui_test(shell_qt_tests
    shell/qt/frmMain_test.cpp
    shell/qt/shell_test.cpp
    shell/qt/help_test.cpp
    shell/qt/windows_as_found_test.cpp
    shell/qt/value_box_leaving_test.cpp
    shell/qt/large_application_test.cpp
    shell/qt/text_room_test.cpp
    shell/qt/out_of_memory_test.cpp
)
target_compile_definitions(shell_qt_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
    VELDRA_EXAMPLES="${PROJECT_SOURCE_DIR}/examples" VELDRA_HELP_FILE="${VELDRA_HELP_FILE}")
# The help tests read the guide where the program finds it, beside the program.
add_dependencies(shell_qt_tests veldra_help)
