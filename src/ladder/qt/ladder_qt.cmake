# The statement viewer and the picture every ladder is drawn on.
target_sources(veldra_ui PRIVATE
    ladder/qt/ladder_picture.cpp
    ladder/qt/frmShowAssign.cpp
    ladder/qt/show_bit_assign.cpp
)
