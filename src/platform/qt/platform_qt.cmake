# The desktop under Qt: dialogs, the loading-progress window, settings, timers, the window
# registry, the lamp, help and the viewer of written files.
target_sources(veldra_ui PRIVATE
    platform/qt/dialogs.cpp
    platform/qt/folder_keeping_dialogs.cpp
    platform/qt/qt_platform.cpp
    platform/qt/frmStatus.cpp
    platform/qt/ini_settings.cpp
    platform/qt/timer_driver.cpp
    platform/qt/busy_cursor.cpp
    platform/qt/replacing_file.cpp
    platform/qt/document_viewer.cpp
    platform/qt/run_picture.cpp
    platform/qt/window_registry.cpp
    platform/qt/discarded_frames.cpp
    platform/qt/lamp.cpp
    platform/qt/lamp_accessible.cpp
    platform/qt/title_bar_icons.cpp
    platform/qt/window_face.cpp
    platform/qt/text_column.cpp
    platform/qt/value_box_leaving.cpp
    platform/qt/whats_this.cpp
    platform/qt/help_guide.cpp
    platform/qt/frmHelp.cpp
    platform/qt/help_system.cpp
)
