target_sources(velmora_gui PRIVATE
    document/ProgramView.h document/ProgramView.cpp
    document/GridOperations.cpp
    document/GridKeys.cpp
    document/TransferCommands.h document/TransferCommands.cpp)
