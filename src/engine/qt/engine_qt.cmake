# The program window and the views it shows the engine in.
target_sources(veldra_ui PRIVATE
    engine/qt/frmProgram.cpp
    engine/qt/core_list_model.cpp
    engine/qt/status_grid_model.cpp
    engine/qt/immediate_views.cpp
)
