# The program window's pages, menus, log file and satellite-window contents.
target_sources(veldra_core PRIVATE
    engine/sorted_names.cpp
    engine/typed_numbers.cpp
    engine/numeric_editor.cpp
    engine/timer_page.cpp
    engine/bit_status_page.cpp
    engine/bit_status_rows.cpp
    engine/program_pages.cpp
    engine/log_file.cpp
    engine/program_menus.cpp
    engine/bit_flag_lists.cpp
    engine/numeric_report.cpp
)
