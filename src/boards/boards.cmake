# Board and track models, part of the core library.
target_sources(veldra_core PRIVATE
    boards/io_board.cpp
    boards/lamp16.cpp
    boards/serial_port.cpp
    boards/ases.cpp
    boards/track_board.cpp
    boards/mx_lamp.cpp
)
