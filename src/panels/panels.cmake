# The non-visual halves of the board windows, part of the core library.
target_sources(veldra_core PRIVATE
)
