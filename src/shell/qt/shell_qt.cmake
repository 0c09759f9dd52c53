# The application: start-up, the main window and the program's board windows in it.
target_sources(veldra_ui PRIVATE
    shell/qt/application.cpp
    shell/qt/frmMain.cpp
    shell/qt/program_boards.cpp
    shell/qt/stub_tmp.cpp
    shell/qt/frmAbout.h
)
