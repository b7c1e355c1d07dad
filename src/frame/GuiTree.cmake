# The navigation bar. Which item opens which editor, and how far the bar may be dragged, is
# standard C++ and goes to the core; the bar itself to velmora_gui.
include_guard(GLOBAL)
target_sources(velmora_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Navigation.h ${CMAKE_CURRENT_LIST_DIR}/Navigation.cpp)
target_sources(velmora_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TreeBar.h ${CMAKE_CURRENT_LIST_DIR}/TreeBar.cpp)
