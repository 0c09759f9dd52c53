# End-to-end scenarios on the example applications.
veldra_core_test(e2e_tests
    e2e/level_crossing_test.cpp
    e2e/interlocking_test.cpp
    e2e/line_test.cpp
    e2e/scan_equivalence_test.cpp
)
target_include_directories(e2e_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(e2e_tests PRIVATE VELDRA_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")

# The application on a real (virtual) display, started as from a shell.
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
    add_executable(application_e2e_test support/qt/window_test_main.cpp
        e2e/qt/application_e2e_test.cpp)
    target_link_libraries(application_e2e_test PRIVATE veldra_ui_test_support)
    target_compile_definitions(application_e2e_test PRIVATE VELDRA_TEST_PLATFORM="xcb"
        VELDRA_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
    add_test(NAME application_e2e
        COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x800x24" $<TARGET_FILE:application_e2e_test>)
    set_tests_properties(application_e2e PROPERTIES TIMEOUT 120)
endif()
