# The program window, the views it shows the engine in, and the windows it opens.
target_sources(veldra_ui PRIVATE
    engine/qt/frmProgram.cpp
    engine/qt/statement_view_host.cpp
    engine/qt/core_list_model.cpp
    engine/qt/name_list_delegate.cpp
    engine/qt/status_grid_model.cpp
    engine/qt/status_grid_view.cpp
    engine/qt/status_grid_delegate.cpp
    engine/qt/page_tabs.cpp
    engine/qt/program_page_frame.cpp
    engine/qt/immediate_frame.cpp
    engine/qt/bit_status_frame.cpp
    engine/qt/cpu_leds_frame.cpp
    engine/qt/numeric_editor_controls.cpp
    engine/qt/force_bit_frame.cpp
    engine/qt/user_numeric_frame.cpp
    engine/qt/immediate_views.cpp
    engine/qt/timer_frame.cpp
    engine/qt/bit_flag_dialog.cpp
    engine/qt/frmFilter.cpp
    engine/qt/frmNumerics.cpp
    engine/qt/frmTable.cpp
)
