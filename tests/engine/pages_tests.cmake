# Tests of the program window's pages, menus, log file and satellite-window contents.
