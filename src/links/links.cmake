# Peer links between simulators: the record text and what waits to be sent.
target_sources(veldra_core PRIVATE
    links/peer_codec.cpp
    links/line_budget.cpp
    links/send_buffer.cpp
    links/track_link.cpp
    links/serial_link.cpp
)
