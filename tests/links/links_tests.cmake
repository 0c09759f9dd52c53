veldra_core_test(links_tests
    links/peer_codec_test.cpp
    links/line_budget_test.cpp
    links/send_buffer_test.cpp
    links/track_link_test.cpp
)
