# The source loader, part of the core library.
target_sources(veldra_core PRIVATE
    loader/keywords.cpp
    loader/piece_reader.cpp
    loader/source_census.cpp
    loader/source_memory.cpp
    loader/source_values.cpp
    loader/load_context.cpp
    loader/trigger_names.cpp
    loader/declaration_reader.cpp
    loader/timer_reader.cpp
    loader/logic_reader.cpp
    loader/numeric_block_reader.cpp
    loader/coded_output_reader.cpp
    loader/table_reader.cpp
    loader/board_types.cpp
    loader/board_header_reader.cpp
    loader/io_list_reader.cpp
    loader/lamp_board_reader.cpp
    loader/light_heads_reader.cpp
    loader/track_board_reader.cpp
    loader/ases_reader.cpp
    loader/serial_link_reader.cpp
    loader/board_reader.cpp
    loader/parse_text.cpp
)
