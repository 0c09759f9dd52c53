# Board and track models, part of the core library.
target_sources(veldra_core PRIVATE
)
