# The channel grid view and its in-place editors (Qt Widgets).
target_sources(velmora_gui PRIVATE
    channels/ProgramView.h channels/ProgramView.cpp
    channels/GridUndo.h channels/GridUndo.cpp)
