# The application shell's rules that need no window: the command line, the session
# counter, the order of dropped files, and the state, view and
# statement files with the restoring of a state.
target_sources(veldra_core PRIVATE
    shell/command_line.cpp
    shell/session_counter.cpp
    shell/dropped_files.cpp
    shell/state_file.cpp
    shell/state_load.cpp
    shell/view_file.cpp
    shell/statement_export.cpp
)
# Expat reads a state file a piece at a time, however large.
find_package(EXPAT REQUIRED)
target_link_libraries(veldra_core PUBLIC EXPAT::EXPAT)
