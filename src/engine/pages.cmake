# The program window's pages, menus, log file and satellite-window contents.
target_sources(veldra_core PRIVATE
)
