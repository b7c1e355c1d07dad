# The settings dialogs.
target_sources(velmora_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/OptionalFeaturesDlg.h ${CMAKE_CURRENT_LIST_DIR}/OptionalFeaturesDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProductInfoDlg.h ${CMAKE_CURRENT_LIST_DIR}/ProductInfoDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LanguageDlg.h ${CMAKE_CURRENT_LIST_DIR}/LanguageDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogButtons.h ${CMAKE_CURRENT_LIST_DIR}/DialogButtons.cpp)
