# The settings dialogs. They answer F1 through the program's help, which lives with the About
# box, and the navigation bar opens them; both are pulled in here once.
include_guard(GLOBAL)
target_sources(velmora_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/OptionalFeaturesDlg.h ${CMAKE_CURRENT_LIST_DIR}/OptionalFeaturesDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProductInfoDlg.h ${CMAKE_CURRENT_LIST_DIR}/ProductInfoDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LanguageDlg.h ${CMAKE_CURRENT_LIST_DIR}/LanguageDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogButtons.h ${CMAKE_CURRENT_LIST_DIR}/DialogButtons.cpp)
include(${CMAKE_CURRENT_LIST_DIR}/../app/GuiAbout.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../frame/GuiTree.cmake)
