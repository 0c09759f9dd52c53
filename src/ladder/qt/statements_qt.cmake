# The statements list and the editor of a statement the scan disabled as faulty.
target_sources(veldra_ui PRIVATE
    ladder/qt/statements_model.cpp
    ladder/qt/frmStatements.cpp
    ladder/qt/frmBdSt.cpp
)
