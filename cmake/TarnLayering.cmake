# Keeps the layers of ARCHITECTURE.md honest: every library waits for a check of all #include
# lines against cmake/Layering.txt, so an include against the dependency direction fails the
# build. The check reruns only when a source or the rules change.

set(TARN_LAYERING_RULES ${CMAKE_CURRENT_LIST_DIR}/Layering.txt)
set(TARN_LAYERING_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/CheckLayering.cmake)

file(GLOB_RECURSE tarn_layered_sources CONFIGURE_DEPENDS
    ${TARN_SOURCE_ROOT}/TarnKit/*.h ${TARN_SOURCE_ROOT}/TarnKit/*.cpp
    ${TARN_SOURCE_ROOT}/TarnInputCore/*.h ${TARN_SOURCE_ROOT}/TarnInputCore/*.cpp
    ${TARN_SOURCE_ROOT}/TarnInput/*.h ${TARN_SOURCE_ROOT}/TarnInput/*.cpp
    ${TARN_SOURCE_ROOT}/Platform/*.h ${TARN_SOURCE_ROOT}/Platform/*.cpp
    ${TARN_SOURCE_ROOT}/tests/*.h ${TARN_SOURCE_ROOT}/tests/*.cpp)
set(tarn_layering_stamp ${CMAKE_BINARY_DIR}/layering-check.stamp)
add_custom_command(OUTPUT ${tarn_layering_stamp}
    COMMAND ${CMAKE_COMMAND} -DTARN_LAYERING_ROOT=${TARN_SOURCE_ROOT} -DTARN_LAYERING_RULES=${TARN_LAYERING_RULES}
            -P ${TARN_LAYERING_SCRIPT}
    COMMAND ${CMAKE_COMMAND} -E touch ${tarn_layering_stamp}
    DEPENDS ${tarn_layered_sources} ${TARN_LAYERING_RULES} ${TARN_LAYERING_SCRIPT}
    COMMENT "Checking includes against the layering"
    VERBATIM)
add_custom_target(TarnLayeringCheck ALL DEPENDS ${tarn_layering_stamp})

# The check itself must reject what it is there to reject: it runs over a small tree whose files
# say by their names whether the check must accept or reject them.
add_test(NAME TarnLayeringCheckRejectsWrongIncludes
    COMMAND ${CMAKE_COMMAND} -DTARN_LAYERING_SCRIPT=${TARN_LAYERING_SCRIPT}
            -DTARN_LAYERING_RULES=${TARN_LAYERING_RULES}
            -DTARN_LAYERING_FIXTURE=${CMAKE_CURRENT_LIST_DIR}/layering-fixture
            -P ${CMAKE_CURRENT_LIST_DIR}/LayeringCheckTest.cmake)
set_tests_properties(TarnLayeringCheckRejectsWrongIncludes PROPERTIES LABELS plain)
