# Runs the layering check over a tree whose files and targets say by their names whether the check
# must accept or reject them: it must fail, name every file and target called Rejected* and no file
# or target called Accepted*.
#   -DTARN_LAYERING_SCRIPT=<CheckLayering.cmake> -DTARN_LAYERING_QT=<Qt's include folder>
#   -DTARN_LAYERING_ROOT=<tree> -DTARN_LAYERING_RULES=<rules>
#   [-DTARN_LAYERING_LINKS=<targets file>]  the targets' links, whose names count as cases too
#   [-DTARN_LAYERING_PROBES=<folder>]  files read as if they stood in the tree; then only they
#                                      count as cases (the tree itself must pass)
cmake_minimum_required(VERSION 3.25)
set(links_argument "")
if(TARN_LAYERING_LINKS)
    set(links_argument -DTARN_LAYERING_LINKS=${TARN_LAYERING_LINKS})
endif()
set(probes_argument "")
if(TARN_LAYERING_PROBES)
    set(probes_argument -DTARN_LAYERING_PROBES=${TARN_LAYERING_PROBES})
endif()
execute_process(
    COMMAND ${CMAKE_COMMAND} -DTARN_LAYERING_ROOT=${TARN_LAYERING_ROOT}
            -DTARN_LAYERING_RULES=${TARN_LAYERING_RULES} ${links_argument} ${probes_argument}
            -DTARN_LAYERING_QT=${TARN_LAYERING_QT}
            -P ${TARN_LAYERING_SCRIPT}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(result EQUAL 0 OR NOT output MATCHES "go against the layering")
    message(FATAL_ERROR "the layering check did not report the wrong includes")
endif()

# The cases are the files the check reads: those below the folders the rules have rows for.
set(cases_root ${TARN_LAYERING_ROOT})
if(TARN_LAYERING_PROBES)
    set(cases_root ${TARN_LAYERING_PROBES})
endif()
file(STRINGS ${TARN_LAYERING_RULES} rule_lines REGEX "^[ \t]*[^#: \t]+[ \t]*:")
set(cases "")
foreach(line IN LISTS rule_lines)
    if(line MATCHES "^[ \t]*library[ \t]")
        continue()
    endif()
    string(REGEX REPLACE "^[ \t]*([^/: \t]+).*" "\\1" top "${line}")
    file(GLOB_RECURSE found RELATIVE ${cases_root} ${cases_root}/${top}/*)
    list(APPEND cases ${found})
endforeach()
list(REMOVE_DUPLICATES cases)
if(TARN_LAYERING_LINKS)
    file(STRINGS ${TARN_LAYERING_LINKS} target_lines)
    foreach(line IN LISTS target_lines)
        string(REGEX REPLACE "\t.*" "" target "${line}")
        list(APPEND cases "${target}")
    endforeach()
endif()
set(rejected 0)
foreach(case IN LISTS cases)
    string(FIND "${output}" "  ${case}:" at)
    get_filename_component(name ${case} NAME)
    if(name MATCHES "^Rejected" AND at EQUAL -1)
        message(FATAL_ERROR "the layering check did not reject ${case}")
    elseif(name MATCHES "^Accepted" AND NOT at EQUAL -1)
        message(FATAL_ERROR "the layering check rejected ${case}")
    elseif(name MATCHES "^Rejected")
        math(EXPR rejected "${rejected} + 1")
    endif()
endforeach()
if(rejected EQUAL 0)
    message(FATAL_ERROR "no case called Rejected* was found below ${cases_root}")
endif()
