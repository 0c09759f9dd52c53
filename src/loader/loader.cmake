# The source loader, part of the core library.
target_sources(veldra_core PRIVATE
)
