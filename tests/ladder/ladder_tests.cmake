# The ladder grid and its builder.
veldra_core_test(ladder_tests
    ladder/elements_test.cpp
    ladder/create_ladder_test.cpp
    ladder/drawn_exclusive_or_test.cpp
    ladder/name_room_test.cpp
)
target_include_directories(ladder_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
