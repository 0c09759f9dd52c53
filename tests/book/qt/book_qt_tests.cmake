# The program book from the main window's command to the printed and the plotted PDF,
# offscreen.
veldra_ui_test(book_qt_tests
    book/qt/frmPrint_settings_test.cpp
    book/qt/frmPrint_test.cpp
    book/qt/frmPrint_index_test.cpp
    book/qt/frmPrint_plot_test.cpp
    book/qt/frmPrintPgs_test.cpp
)
target_compile_definitions(book_qt_tests PRIVATE VELDRA_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
