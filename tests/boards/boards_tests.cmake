# Tests of the board and track models.
veldra_core_test(boards_tests
    boards/board_collections_test.cpp
)
