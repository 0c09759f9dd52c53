# Two links over loopback in one process.
veldra_ui_test(links_qt_tests
    links/qt/peer_link_test.cpp
    links/qt/track_link_window_test.cpp
    links/qt/serial_link_window_test.cpp
)
