# The application shell's rules that need no window: the command line, the session
# counter, the element size and the order of dropped files.
target_sources(veldra_core PRIVATE
    shell/command_line.cpp
    shell/session_counter.cpp
    shell/element_size.cpp
    shell/dropped_files.cpp
)
