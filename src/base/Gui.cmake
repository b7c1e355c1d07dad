# Message boxes, context help and Qt's own words in the program's language, for every window.
target_sources(velmora_gui PRIVATE
    base/QtPrompter.h base/QtPrompter.cpp
    base/QtTranslations.h base/QtTranslations.cpp
    base/HelpLauncher.h base/HelpLauncher.cpp)
