# Keeps the layers of ARCHITECTURE.md honest: every library waits for a check of all #include
# lines and of every target's links against cmake/Layering.txt, so an include or a link against the
# dependency direction fails the build. The check reruns only when a source, the rules or the
# targets change.

set(TARN_LAYERING_RULES ${CMAKE_CURRENT_LIST_DIR}/Layering.txt)
set(TARN_LAYERING_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/CheckLayering.cmake)
set(TARN_LAYERING_LINKS ${CMAKE_BINARY_DIR}/layering-targets.txt)

# Qt's include folder tells the check which module a Qt header belongs to. It is looked up even in
# the build without Qt, whose sources must not include any Qt module either.
find_path(TARN_LAYERING_QT_INCLUDE_DIR QtCore/QObject PATH_SUFFIXES qt6
    DOC "Qt's include folder (holding QtCore/), for the layering check")
if(NOT TARN_LAYERING_QT_INCLUDE_DIR)
    set(TARN_LAYERING_QT_INCLUDE_DIR "")
endif()

set(tarn_layered_globs "")
foreach(top IN ITEMS TarnKit TarnInputCore TarnInput Platform tests)
    foreach(extension IN ITEMS h hh hpp hxx h++ ipp inl tpp c cc cpp cxx c++ ixx cppm h.in hpp.in cpp.in)
        list(APPEND tarn_layered_globs ${TARN_SOURCE_ROOT}/${top}/*.${extension})
    endforeach()
endforeach()
file(GLOB_RECURSE tarn_layered_sources CONFIGURE_DEPENDS ${tarn_layered_globs})
set(tarn_layering_stamp ${CMAKE_BINARY_DIR}/layering-check.stamp)
add_custom_command(OUTPUT ${tarn_layering_stamp}
    COMMAND ${CMAKE_COMMAND} -DTARN_LAYERING_ROOT=${TARN_SOURCE_ROOT} -DTARN_LAYERING_RULES=${TARN_LAYERING_RULES}
            -DTARN_LAYERING_LINKS=${TARN_LAYERING_LINKS} -DTARN_LAYERING_QT=${TARN_LAYERING_QT_INCLUDE_DIR}
            -P ${TARN_LAYERING_SCRIPT}
    COMMAND ${CMAKE_COMMAND} -E touch ${tarn_layering_stamp}
    DEPENDS ${tarn_layered_sources} ${TARN_LAYERING_RULES} ${TARN_LAYERING_SCRIPT} ${TARN_LAYERING_LINKS}
    COMMENT "Checking includes and links against the layering"
    VERBATIM)
add_custom_target(TarnLayeringCheck ALL DEPENDS ${tarn_layering_stamp})

# Every target defined below `directory`, depth first.
function(tarn_layering_targets directory out_var)
    get_property(result DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        tarn_layering_targets(${subdirectory} below)
        list(APPEND result ${below})
    endforeach()
    set(${out_var} ${result} PARENT_SCOPE)
endfunction()

# Writes what each target links, and the folders of its sources, for the check: one line per
# target, <target> TAB <type> TAB <folders of its sources> TAB <folder of its CMakeLists.txt> TAB
# <links>. Runs once every
# target is defined, and rewrites the file only when it changes.
function(tarn_write_layering_targets)
    tarn_layering_targets(${CMAKE_SOURCE_DIR} targets)
    set(text "")
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "UTILITY")
            continue()
        endif()
        get_target_property(home ${target} SOURCE_DIR)
        file(RELATIVE_PATH home ${TARN_SOURCE_ROOT} ${home})
        set(folders "")
        get_target_property(sources ${target} SOURCES)
        if(sources)
            foreach(source IN LISTS sources)
                if(source MATCHES "^\\$<")
                    continue()
                endif()
                if(NOT IS_ABSOLUTE ${source})
                    set(source ${TARN_SOURCE_ROOT}/${home}/${source})
                endif()
                file(RELATIVE_PATH relative ${TARN_SOURCE_ROOT} ${source})
                string(FIND "${source}" "${CMAKE_BINARY_DIR}/" generated)
                if(relative MATCHES "^\\.\\./" OR generated EQUAL 0)
                    continue()
                endif()
                get_filename_component(folder ${relative} DIRECTORY)
                list(APPEND folders ${folder})
            endforeach()
            list(REMOVE_DUPLICATES folders)
        endif()
        # What it links itself and what it hands to its users; a private dependency of a static
        # library reaches its users as $<LINK_ONLY:...>, which is that same dependency.
        set(links "")
        foreach(property IN ITEMS LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
            if(type STREQUAL "INTERFACE_LIBRARY" AND property STREQUAL "LINK_LIBRARIES")
                continue()
            endif()
            get_target_property(items ${target} ${property})
            if(items)
                list(TRANSFORM items REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1")
                list(APPEND links ${items})
            endif()
        endforeach()
        list(REMOVE_DUPLICATES links)
        list(JOIN folders "," folders)
        list(JOIN links "," links)
        string(APPEND text "${target}\t${type}\t${folders}\t${home}\t${links}\n")
    endforeach()
    file(CONFIGURE OUTPUT ${TARN_LAYERING_LINKS} CONTENT "${text}" @ONLY)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tarn_write_layering_targets)

# The check itself must reject what it is there to reject: it runs over a small tree of its own,
# with rules and targets of its own, whose files and targets say by their names whether the check
# must accept or reject them.
set(tarn_layering_fixture ${CMAKE_CURRENT_LIST_DIR}/layering-fixture)
add_test(NAME TarnLayeringCheckRejectsWrongIncludes
    COMMAND ${CMAKE_COMMAND} -DTARN_LAYERING_SCRIPT=${TARN_LAYERING_SCRIPT}
            -DTARN_LAYERING_ROOT=${tarn_layering_fixture} -DTARN_LAYERING_RULES=${tarn_layering_fixture}/Layering.txt
            -DTARN_LAYERING_LINKS=${tarn_layering_fixture}/targets.txt
            -DTARN_LAYERING_QT=${TARN_LAYERING_QT_INCLUDE_DIR}
            -P ${CMAKE_CURRENT_LIST_DIR}/LayeringCheckTest.cmake)
# And the program's own rules must reject the includes that would undo its layers (a screen that
# reaches the engine, an adapter that reaches the windows …): each probe, added to the program's
# tree, must fail the build.
add_test(NAME TarnLayeringRulesRejectProbes
    COMMAND ${CMAKE_COMMAND} -DTARN_LAYERING_SCRIPT=${TARN_LAYERING_SCRIPT}
            -DTARN_LAYERING_ROOT=${TARN_SOURCE_ROOT} -DTARN_LAYERING_RULES=${TARN_LAYERING_RULES}
            -DTARN_LAYERING_PROBES=${tarn_layering_fixture}/program-probes
            -DTARN_LAYERING_QT=${TARN_LAYERING_QT_INCLUDE_DIR}
            -P ${CMAKE_CURRENT_LIST_DIR}/LayeringCheckTest.cmake)
set_tests_properties(TarnLayeringCheckRejectsWrongIncludes TarnLayeringRulesRejectProbes PROPERTIES LABELS plain)
