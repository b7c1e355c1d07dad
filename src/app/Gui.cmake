target_sources(velmora_gui PRIVATE
    app/HyperLink.h app/HyperLink.cpp
    app/AboutDlg.h app/AboutDlg.cpp
    app/ProgramApp.h app/ProgramApp.cpp)
