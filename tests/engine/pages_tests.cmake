# Tests of the program window's pages, menus, log file and satellite-window contents.
veldra_core_test(pages_tests
    engine/forcing_test.cpp
    engine/numeric_editor_test.cpp
    engine/bit_status_page_test.cpp
    engine/bit_status_rows_test.cpp
    engine/timer_page_test.cpp
    engine/program_menus_test.cpp
    engine/log_file_test.cpp
    engine/bit_flag_lists_test.cpp
    engine/numeric_report_test.cpp
    engine/sorted_names_test.cpp
)
target_include_directories(pages_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
