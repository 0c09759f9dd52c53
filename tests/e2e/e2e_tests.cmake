# End-to-end scenarios on the example applications.
veldra_core_test(e2e_tests
    e2e/level_crossing_test.cpp
    e2e/interlocking_test.cpp
    e2e/line_test.cpp
    e2e/scan_equivalence_test.cpp
    e2e/example_listing_test.cpp
    e2e/drawn_logic_test.cpp
    e2e/tilde_names_test.cpp
)
target_include_directories(e2e_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(e2e_tests PRIVATE VELDRA_EXAMPLES="${PROJECT_SOURCE_DIR}/examples"
    VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")

# The application on a real (virtual) display, started as from a shell.
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
    function(veldra_display_test name source timeout)
        add_executable(${name}_test support/qt/window_test_main.cpp ${source})
        target_link_libraries(${name}_test PRIVATE veldra_ui_test_support)
        target_compile_definitions(${name}_test PRIVATE VELDRA_TEST_PLATFORM="xcb"
            VELDRA_EXAMPLES="${PROJECT_SOURCE_DIR}/examples" VELDRA_HELP_FILE="${VELDRA_HELP_FILE}")
        add_dependencies(${name}_test veldra_help)
        add_test(NAME ${name}
            COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x800x24" $<TARGET_FILE:${name}_test>)
        set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout})
    endfunction()
    veldra_display_test(application_e2e e2e/qt/application_e2e_test.cpp 120)
    # Two simulators, this one and a second copy of it, linked over the loopback address.
    veldra_display_test(line_link_e2e e2e/qt/line_link_e2e_test.cpp 180)
endif()

# The simulator served over VNC as the run script serves it, on a virtual display the
# script makes itself.
find_program(X0TIGERVNC X0tigervnc)
find_program(XVFB Xvfb)
if(X0TIGERVNC AND XVFB)
    add_executable(vnc_display_e2e_test support/qt/window_test_main.cpp
        e2e/qt/vnc_display_e2e_test.cpp)
    target_link_libraries(vnc_display_e2e_test PRIVATE veldra_ui_test_support)
    target_compile_definitions(vnc_display_e2e_test PRIVATE
        VELDRA_SCRIPTS="${PROJECT_SOURCE_DIR}/scripts"
        VELDRA_PROGRAM="$<TARGET_FILE:veldra>"
        VELDRA_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
    add_dependencies(vnc_display_e2e_test veldra)
    add_test(NAME vnc_display_e2e COMMAND vnc_display_e2e_test)
    set_tests_properties(vnc_display_e2e PROPERTIES TIMEOUT 120)
endif()
