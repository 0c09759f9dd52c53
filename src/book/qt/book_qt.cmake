# The program book's windows: the preview, the page range, the listing dialog, printing,
# the printer and display options, the element size dialog, the bit index and the plot to
# PDF.
find_package(Qt6 REQUIRED COMPONENTS PrintSupport)
target_link_libraries(veldra_ui PUBLIC Qt6::PrintSupport)
target_sources(veldra_ui PRIVATE
    book/qt/book_printer.cpp
    book/qt/frmPrint_settings.cpp
    book/qt/frmResolution.cpp
    book/qt/page_drawing.cpp
    book/qt/print_target.cpp
    book/qt/frmPrintPgs.cpp
    book/qt/frmListing.cpp
    book/qt/frmPrint.cpp
    book/qt/frmPrint_index.cpp
    book/qt/plot_pdf.cpp
    book/qt/frmPrint_plot.cpp
)
