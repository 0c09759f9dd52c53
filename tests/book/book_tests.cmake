# The program book's layout, listing reader, page texts, page range, printer settings,
# element size and auto size, bit index, and the plot on our own drawing.
veldra_core_test(book_tests
    book/auto_size_test.cpp
    book/printer_settings_test.cpp
    book/element_size_test.cpp
    book/page_layout_test.cpp
    book/listing_reader_test.cpp
    book/page_range_test.cpp
    book/bit_index_test.cpp
    book/visio_plot_test.cpp
)
target_include_directories(book_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
