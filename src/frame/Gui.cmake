target_sources(velmora_gui PRIVATE
    frame/CommandIds.h
    frame/TreeBar.h frame/TreeBar.cpp
    frame/Pictures.h frame/Pictures.cpp
    frame/MdiClientWnd.h frame/MdiClientWnd.cpp
    frame/ChildFrame.h frame/ChildFrame.cpp
    frame/FileChooser.h frame/FileChooser.cpp
    frame/ExchangeCommands.h frame/ExchangeCommands.cpp
    frame/BackupListDlg.h frame/BackupListDlg.cpp
    frame/LockKeyState.h frame/LockKeyState.cpp
    frame/LockKeyPanes.h frame/LockKeyPanes.cpp
    frame/MainFrame.h frame/MainFrame.cpp
    frame/DocumentCommands.cpp
    frame/EditCommands.cpp
    frame/FrameCommands.cpp)

# The lock keys' lights come from the X server where the program runs on one.
find_package(X11)
if(X11_FOUND AND X11_Xkb_FOUND)
    target_compile_definitions(velmora_gui PRIVATE VELMORA_HAVE_X11)
    target_link_libraries(velmora_gui PRIVATE X11::X11)
endif()
# The X headers define macros (None, Bool, Status) that other files use as names: this file is
# compiled on its own also in a unity build.
set_source_files_properties(frame/LockKeyState.cpp PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
