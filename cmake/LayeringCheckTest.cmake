# Runs the layering check over the fixture tree: it must fail, name every file called Rejected*
# and no file called Accepted*.
cmake_minimum_required(VERSION 3.25)
execute_process(
    COMMAND ${CMAKE_COMMAND} -DTARN_LAYERING_ROOT=${TARN_LAYERING_FIXTURE} -DTARN_LAYERING_RULES=${TARN_LAYERING_RULES}
            -P ${TARN_LAYERING_SCRIPT}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(result EQUAL 0 OR NOT output MATCHES "go against the layering")
    message(FATAL_ERROR "the layering check did not report the fixture's wrong includes")
endif()
file(GLOB_RECURSE cases RELATIVE ${TARN_LAYERING_FIXTURE} ${TARN_LAYERING_FIXTURE}/*)
foreach(case IN LISTS cases)
    string(FIND "${output}" "${case}:" at)
    get_filename_component(name ${case} NAME)
    if(name MATCHES "^Rejected" AND at EQUAL -1)
        message(FATAL_ERROR "the layering check did not reject ${case}")
    elseif(name MATCHES "^Accepted" AND NOT at EQUAL -1)
        message(FATAL_ERROR "the layering check rejected ${case}")
    endif()
endforeach()
