# The loader's window: the loading-progress window.
target_sources(veldra_ui PRIVATE
    loader/qt/frmStatus.cpp
)
