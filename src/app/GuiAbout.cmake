# The About box with its link, and context help.
include_guard(GLOBAL)
target_sources(velmora_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/HelpLauncher.h ${CMAKE_CURRENT_LIST_DIR}/HelpLauncher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HyperLink.h ${CMAKE_CURRENT_LIST_DIR}/HyperLink.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AboutDlg.h ${CMAKE_CURRENT_LIST_DIR}/AboutDlg.cpp)
