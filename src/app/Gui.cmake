target_sources(velmora_gui PRIVATE
    app/AppContext.h
    app/Prompter.h
    app/QtPrompter.h app/QtPrompter.cpp
    app/QtTranslations.h app/QtTranslations.cpp
    app/ProgramApp.h app/ProgramApp.cpp)
