# Tests of the board and track models.
veldra_core_test(boards_tests
    boards/io_board_test.cpp
    boards/lamp16_test.cpp
    boards/serial_port_test.cpp
    boards/ases_test.cpp
    boards/track_board_test.cpp
    boards/mx_lamp_test.cpp
)
