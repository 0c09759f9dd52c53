# The program book from the main window's command to the printed PDF, offscreen.
veldra_ui_test(book_qt_tests
    book/qt/frmPrint_test.cpp
)
