target_sources(velmora_qtcore PRIVATE image/ProgramDoc.h image/ProgramDoc.cpp)
