# Links over loopback in one process: the link itself, and the link windows of a program
# loaded as the user loads it.
veldra_ui_test(links_qt_tests
    links/qt/peer_link_test.cpp
    links/qt/linked_windows_test.cpp
    links/qt/link_flood_test.cpp
)
target_compile_definitions(links_qt_tests PRIVATE VELDRA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
