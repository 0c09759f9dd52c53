# The application: start-up, the main window and the program's board windows in it, the
# about box and the keep-on-top placement of the program and statement windows.
target_sources(veldra_ui PRIVATE
    shell/qt/application.cpp
    shell/qt/frmMain.cpp
    shell/qt/frmMain_files.cpp
    shell/qt/frmMain_book.cpp
    shell/qt/program_boards.cpp
    shell/qt/frmAbout.cpp
    shell/qt/keep_on_top.cpp
    shell/qt/cascade.cpp
    shell/qt/area_windows.cpp
)
