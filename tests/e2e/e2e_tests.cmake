# End-to-end scenarios on the example applications.
veldra_core_test(e2e_tests
    e2e/level_crossing_test.cpp
    e2e/interlocking_test.cpp
    e2e/line_test.cpp
    e2e/scan_equivalence_test.cpp
)
target_include_directories(e2e_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(e2e_tests PRIVATE VELDRA_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
