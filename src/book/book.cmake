# The program book: the compiled listing's texts, the page layout, the page range, the
# printer settings, the element size and auto size, the bit index, and the
# relay-equivalence plot with its drawing interface, our own drawing and its template.
target_sources(veldra_core PRIVATE
    book/printer_settings.cpp
    book/element_size.cpp
    book/auto_size.cpp
    book/listing_reader.cpp
    book/page_layout.cpp
    book/book_texts.cpp
    book/page_range.cpp
    book/bit_index.cpp
    book/memory_drawing.cpp
    book/plot_template.cpp
    book/visio_plot.cpp
)
