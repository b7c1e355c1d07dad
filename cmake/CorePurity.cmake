# The core library must stay free of Qt: it is unit-tested without a window system and is
# what decides every byte that reaches a radio. Fail the build if anything pulls Qt in.
get_target_property(_core_links velmora_core LINK_LIBRARIES)
if(_core_links)
    foreach(_lib IN LISTS _core_links)
        if(_lib MATCHES "Qt")
            message(FATAL_ERROR "velmora_core must not link Qt (found ${_lib})")
        endif()
    endforeach()
endif()
get_target_property(_core_sources velmora_core SOURCES)
add_custom_target(velmora_core_purity
    COMMAND ${CMAKE_COMMAND} -DSOURCES="${_core_sources}" -P ${CMAKE_SOURCE_DIR}/cmake/CheckNoQt.cmake
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/src
    COMMENT "Checking that the core library includes no Qt header"
    VERBATIM)
add_dependencies(velmora_core velmora_core_purity)
