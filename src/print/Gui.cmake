# The renderer and the PDF export need QtGui only: the command-line tool links them too.
add_library(velmora_qtprint STATIC
    print/QtPrintRenderer.h print/QtPrintRenderer.cpp)
target_include_directories(velmora_qtprint PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(velmora_qtprint PUBLIC velmora_qtcore Qt6::Gui)

# The print, preview and set-up dialogs of the window program.
target_sources(velmora_gui PRIVATE
    print/PrintJob.h print/PrintJob.cpp)
target_link_libraries(velmora_gui PUBLIC velmora_qtprint)
