target_sources(velmora_gui PRIVATE
    frame/CommandIds.h
    frame/Pictures.h frame/Pictures.cpp
    frame/MdiClientWnd.h frame/MdiClientWnd.cpp
    frame/ChildFrame.h frame/ChildFrame.cpp
    frame/FileChooser.h frame/FileChooser.cpp
    frame/ExchangeCommands.h frame/ExchangeCommands.cpp
    frame/BackupListDlg.h frame/BackupListDlg.cpp
    frame/MainFrame.h frame/MainFrame.cpp)
