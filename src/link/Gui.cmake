# The radio link's windows: the COM Setup and progress dialogs and the transfer controller
# that runs the engine on a worker thread. Kept in a library of their own so they build and
# test apart from the rest of the window program.
include_guard(GLOBAL)
add_library(velmora_linkgui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ComSetupDlg.h ${CMAKE_CURRENT_LIST_DIR}/ComSetupDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProcessDlg.h ${CMAKE_CURRENT_LIST_DIR}/ProcessDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TransferController.h ${CMAKE_CURRENT_LIST_DIR}/TransferController.cpp)
target_include_directories(velmora_linkgui PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(velmora_linkgui PUBLIC velmora_qtcore Qt6::Widgets)
set_target_properties(velmora_linkgui PROPERTIES AUTOMOC ON)
target_link_libraries(velmora_gui PUBLIC velmora_linkgui)

