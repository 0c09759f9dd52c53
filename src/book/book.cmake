# The program book: the compiled listing's texts, the page layout and the page range, and
# the relay-equivalence plot with its drawing interface, our own drawing and its template.
target_sources(veldra_core PRIVATE
    book/listing_reader.cpp
    book/page_layout.cpp
    book/book_texts.cpp
    book/page_range.cpp
    book/bit_index.cpp
    book/memory_drawing.cpp
    book/plot_template.cpp
    book/visio_plot.cpp
)
