# Tests of the source loader.
veldra_core_test(loader_tests
    loader/piece_reader_test.cpp
    loader/keywords_test.cpp
    loader/parse_text_test.cpp
    loader/declaration_reader_test.cpp
    loader/timer_reader_test.cpp
    loader/logic_reader_test.cpp
    loader/numeric_block_reader_test.cpp
    loader/coded_output_reader_test.cpp
    loader/table_reader_test.cpp
    loader/board_header_reader_test.cpp
    loader/io_list_reader_test.cpp
    loader/board_reader_test.cpp
    loader/load_close_test.cpp
    loader/source_memory_test.cpp
    loader/source_file_test.cpp
)
target_include_directories(loader_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(loader_tests PRIVATE VELDRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")

# Memory running out at each allocation of a load in turn. Its own executable: it replaces
# the allocation functions, which no other test should run under.
veldra_core_test(load_fault_tests loader/load_fault_test.cpp support/refused_allocation.cpp)
target_include_directories(load_fault_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
