# Runs the layering check over the fixture tree with the fixture's own rules and targets: it must
# fail, name every file and target called Rejected* and no file or target called Accepted*.
cmake_minimum_required(VERSION 3.25)
execute_process(
    COMMAND ${CMAKE_COMMAND} -DTARN_LAYERING_ROOT=${TARN_LAYERING_FIXTURE}
            -DTARN_LAYERING_RULES=${TARN_LAYERING_FIXTURE}/Layering.txt
            -DTARN_LAYERING_LINKS=${TARN_LAYERING_FIXTURE}/targets.txt
            -DTARN_LAYERING_QT=${TARN_LAYERING_QT}
            -P ${TARN_LAYERING_SCRIPT}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(result EQUAL 0 OR NOT output MATCHES "go against the layering")
    message(FATAL_ERROR "the layering check did not report the fixture's wrong includes")
endif()
file(GLOB_RECURSE cases RELATIVE ${TARN_LAYERING_FIXTURE} ${TARN_LAYERING_FIXTURE}/*)
file(STRINGS ${TARN_LAYERING_FIXTURE}/targets.txt target_lines)
foreach(line IN LISTS target_lines)
    string(REGEX REPLACE "\t.*" "" target "${line}")
    list(APPEND cases "${target}")
endforeach()
foreach(case IN LISTS cases)
    string(FIND "${output}" "  ${case}:" at)
    get_filename_component(name ${case} NAME)
    if(name MATCHES "^Rejected" AND at EQUAL -1)
        message(FATAL_ERROR "the layering check did not reject ${case}")
    elseif(name MATCHES "^Accepted" AND NOT at EQUAL -1)
        message(FATAL_ERROR "the layering check rejected ${case}")
    endif()
endforeach()
