# Called at build time with -DSOURCES=<list of core source files>.
string(REPLACE "\"" "" SOURCES "${SOURCES}")
foreach(_src IN LISTS SOURCES)
    get_filename_component(_abs "${_src}" ABSOLUTE)
    file(STRINGS "${_abs}" _hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Qt|Q[A-Z])")
    if(_hits)
        message(FATAL_ERROR "Core source ${_src} includes Qt: ${_hits}")
    endif()
endforeach()
