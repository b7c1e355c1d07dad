# The channel grid view over the core's model, its table and its in-place editors (Qt Widgets).
target_sources(velmora_gui PRIVATE
    channels/ChannelTableModel.h channels/ChannelTableModel.cpp
    channels/GridTable.h channels/GridTable.cpp
    channels/CellEditors.h channels/CellEditors.cpp)
