# The peer links on Qt Network.
find_package(Qt6 REQUIRED COMPONENTS Network)
target_link_libraries(veldra_ui PUBLIC Qt6::Network)
target_sources(veldra_ui PRIVATE
    links/qt/peer_link.cpp
    links/qt/frmConnect.cpp
    links/qt/link_button.cpp
)
