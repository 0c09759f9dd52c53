# The about box and the keep-on-top placement of the program and statement windows.
target_sources(veldra_ui PRIVATE
    shell/qt/frmAbout.cpp
    shell/qt/keep_on_top.cpp
)
