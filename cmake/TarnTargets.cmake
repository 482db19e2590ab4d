# Helpers shared by every library folder: one static library per folder, its tests beside it,
# and the labelled test runners (x11, dbus, umockdev, vm).

set(TARN_SOURCE_ROOT ${CMAKE_SOURCE_DIR})
set(TARN_GENERATED_INCLUDE_DIR ${CMAKE_BINARY_DIR}/generated)

find_program(TARN_XVFB_RUN xvfb-run)
find_program(TARN_OPENBOX openbox)
find_program(TARN_DBUS_RUN_SESSION dbus-run-session)
find_program(TARN_UMOCKDEV_RUN umockdev-run)
find_program(TARN_SWAY sway)

# Drops from the list of absolute paths every file that lies in a subfolder with a CMakeLists.txt of
# its own: that subfolder is a library of its own (the composer below the feedback client), which
# may use what its parent may not (Qt).
function(tarn_exclude_nested_libraries list_var)
    file(GLOB_RECURSE nested_lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
    set(kept "")
    foreach(file IN LISTS ${list_var})
        set(nested FALSE)
        foreach(nested_list IN LISTS nested_lists)
            get_filename_component(folder ${nested_list} DIRECTORY)
            string(FIND "${file}" "${folder}/" at)
            if(at EQUAL 0)
                set(nested TRUE)
            endif()
        endforeach()
        if(NOT nested)
            list(APPEND kept ${file})
        endif()
    endforeach()
    set(${list_var} ${kept} PARENT_SCOPE)
endfunction()

# Every .cpp below the calling folder, except the tests/ folders and nested libraries.
function(tarn_collect_sources out_var)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "/tests/")
    tarn_exclude_nested_libraries(sources)
    set(${out_var} ${sources} PARENT_SCOPE)
endfunction()

# Whether the header's own source file includes it before anything else: compiling that file
# then proves the header self-contained already, and a check of its own would compile it twice.
function(tarn_header_compiled_first absolute_header header out_var)
    set(${out_var} FALSE PARENT_SCOPE)
    string(REGEX REPLACE "\\.h$" ".cpp" source ${absolute_header})
    if(EXISTS ${source})
        file(STRINGS ${source} first_directive REGEX "^[ \t]*#" LIMIT_COUNT 1)
        if(first_directive STREQUAL "#include \"${header}\"")
            set(${out_var} TRUE PARENT_SCOPE)
        endif()
    endif()
endfunction()

# Compiles each public header on its own so that every header stays self-contained.
option(TARN_HEADER_CHECKS "Compile every public header on its own" ON)
function(tarn_add_header_check target)
    if(NOT TARN_HEADER_CHECKS)
        return()
    endif()
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER headers EXCLUDE REGEX "/tests/")
    tarn_exclude_nested_libraries(headers)
    set(check_sources "")
    foreach(absolute_header IN LISTS headers)
        file(RELATIVE_PATH header ${TARN_SOURCE_ROOT} ${absolute_header})
        tarn_header_compiled_first(${absolute_header} ${header} compiled_first)
        if(compiled_first)
            continue()
        endif()
        string(MAKE_C_IDENTIFIER ${header} id)
        set(check_file ${CMAKE_CURRENT_BINARY_DIR}/header_check/${id}.cpp)
        file(CONFIGURE OUTPUT ${check_file} CONTENT "#include \"${header}\"\n")
        list(APPEND check_sources ${check_file})
    endforeach()
    if(NOT check_sources)
        return()
    endif()
    add_library(${target}HeaderCheck OBJECT ${check_sources})
    target_link_libraries(${target}HeaderCheck PRIVATE ${target})
endfunction()

# tarn_add_library(<target> [QT] LIBS <libs...>)
function(tarn_add_library target)
    cmake_parse_arguments(ARG "QT" "" "LIBS" ${ARGN})
    tarn_collect_sources(sources)
    if(NOT sources)
        # A library that has no code yet still exists, so that its dependents link already.
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${TARN_SOURCE_ROOT} ${TARN_GENERATED_INCLUDE_DIR})
        target_link_libraries(${target} INTERFACE ${ARG_LIBS})
        return()
    endif()
    add_library(${target} STATIC ${sources})
    # An include against the layering fails the build of any library, not only of the whole tree.
    add_dependencies(${target} TarnLayeringCheck)
    target_include_directories(${target} PUBLIC ${TARN_SOURCE_ROOT} ${TARN_GENERATED_INCLUDE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_LIBS})
    if(ARG_QT)
        set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
    tarn_add_header_check(${target})
endfunction()

# The core and Foundation do the arithmetic on input and on untrusted files, where a silent
# narrowing, a shadowed name or a C cast hides a fault; their own sources are held to these
# warnings on top of the project's.
function(tarn_add_strict_warnings target)
    target_compile_options(${target} PRIVATE -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast)
endfunction()

function(tarn_add_failing_test name message)
    add_test(NAME ${name} COMMAND sh -c "echo '${message}' >&2; exit 1")
endfunction()

# The widget tests' main(), compiled once and linked into every test program that needs it.
if(TARN_BUILD_UI)
    add_library(TarnQtWidgetsTestMain OBJECT ${TARN_SOURCE_ROOT}/tests/QtWidgetsTestMain.cpp)
    target_link_libraries(TarnQtWidgetsTestMain PUBLIC GTest::gtest Qt6::Widgets)
endif()

function(tarn_configure_test_binary exe)
    cmake_parse_arguments(ARG "QT;WIDGETS" "" "LIBS;SOURCES" ${ARGN})
    add_executable(${exe} ${ARG_SOURCES})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/TestMain.cpp)
        target_sources(${exe} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests/TestMain.cpp)
        target_link_libraries(${exe} PRIVATE GTest::gtest GTest::gmock ${ARG_LIBS})
    elseif(ARG_WIDGETS)
        target_link_libraries(${exe} PRIVATE TarnQtWidgetsTestMain GTest::gtest GTest::gmock Qt6::Widgets ${ARG_LIBS})
    else()
        target_link_libraries(${exe} PRIVATE GTest::gtest_main GTest::gmock ${ARG_LIBS})
    endif()
    # The code under test keeps the build's optimisation; the tests' own code is compiled for
    # debugging: that cuts its compile time by a third to a half (GoogleTest's macros are slow to
    # optimise) and keeps it easy to step through.
    target_compile_options(${exe} PRIVATE -Og)
    target_compile_definitions(${exe} PRIVATE TARN_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/data"
                                              TARN_SOURCE_ROOT="${TARN_SOURCE_ROOT}")
    if(ARG_QT)
        set_target_properties(${exe} PROPERTIES AUTOMOC ON)
    endif()
endfunction()

# tarn_add_tests(<target> [QT [WIDGETS]] LIBS <libs...> [X11_OPTIONS <with-x.sh options>])
#   WIDGETS: the test programs run inside one QApplication (tests/QtWidgetsTestMain.cpp) unless
#   the folder has a tests/TestMain.cpp of its own.
#   tests/*.cpp          -> <target>Tests, each case its own CTest test (plain label); also
#                           tests/<Room>/*.cpp, the tests of a room of the library
#   tests/x11/*.cpp      -> <target>X11Tests under Xvfb with a window manager (label x11)
#   tests/dbus/*.cpp     -> <target>DbusTests under dbus-run-session (label dbus)
#   tests/wayland/*.cpp  -> <target>WaylandTests in a headless sway session (label wayland)
#   tests/umockdev/*.cpp -> <target>UmockdevTests under umockdev-run (label umockdev)
#   tests/vm/*.cpp       -> <target>VmTests as root in a real kernel with uinput (label vm)
# A label whose tool is missing gets a test that fails and says what is missing.
function(tarn_add_tests target)
    cmake_parse_arguments(ARG "QT;WIDGETS" "" "LIBS;X11_OPTIONS" ${ARGN})
    set(qt_flag "")
    if(ARG_QT)
        set(qt_flag QT)
    endif()
    if(ARG_WIDGETS)
        list(APPEND qt_flag WIDGETS)
    endif()
    set(libs ${target} ${ARG_LIBS})
    set(dir ${CMAKE_CURRENT_SOURCE_DIR}/tests)

    # A library's plain tests may sit in rooms of their own (tests/Engine/, capitalised, as the
    # sources' rooms are); the lower-case subfolders are the labels' and programs' own.
    file(GLOB_RECURSE plain CONFIGURE_DEPENDS RELATIVE ${dir} ${dir}/*.cpp)
    list(FILTER plain EXCLUDE REGEX "^[a-z][^/]*/")
    list(FILTER plain EXCLUDE REGEX "^TestMain\\.cpp$")
    list(TRANSFORM plain PREPEND ${dir}/)
    if(plain)
        tarn_configure_test_binary(${target}Tests ${qt_flag} SOURCES ${plain} LIBS ${libs})
        # Widget tests are named "qt.<case>", so a ThreadSanitizer run can leave them out
        # (-E "^qt\\."): Debian's Qt is not instrumented and its paint threads look like races.
        set(prefix "")
        if(ARG_QT)
            set(prefix "qt.")
        endif()
        # One OpenMP thread: Tesseract's pool spins while it waits, and beside the other tests on
        # a busy machine one text recognition took 200 s instead of 1 s.
        gtest_discover_tests(${target}Tests DISCOVERY_TIMEOUT 60 TEST_PREFIX "${prefix}"
            PROPERTIES LABELS plain TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                       ENVIRONMENT_MODIFICATION "OMP_THREAD_LIMIT=set:1")
    endif()

    file(GLOB x11 CONFIGURE_DEPENDS ${dir}/x11/*.cpp)
    if(x11)
        tarn_configure_test_binary(${target}X11Tests ${qt_flag} SOURCES ${x11} LIBS ${libs})
        if(TARN_XVFB_RUN AND TARN_OPENBOX)
            if(NOT ARG_X11_OPTIONS)
                set(ARG_X11_OPTIONS --wm)
            endif()
            add_test(NAME ${target}X11Tests COMMAND ${TARN_XVFB_RUN} -a -s "-screen 0 1280x800x24"
                     ${TARN_SOURCE_ROOT}/scripts/with-x.sh ${ARG_X11_OPTIONS} -- $<TARGET_FILE:${target}X11Tests>)
        else()
            tarn_add_failing_test(${target}X11Tests "xvfb-run or openbox is missing: run scripts/setup.sh")
        endif()
        # xvfb-run -a picks the first display number without a lock file, so two started at the same
        # moment can pick the same one and one test finds no server: the X tests take turns.
        set_tests_properties(${target}X11Tests PROPERTIES LABELS x11 TIMEOUT 180 ENVIRONMENT "QT_QPA_PLATFORM=xcb"
                                                        RESOURCE_LOCK xvfb-display)
    endif()

    file(GLOB dbus CONFIGURE_DEPENDS ${dir}/dbus/*.cpp)
    if(dbus)
        tarn_configure_test_binary(${target}DbusTests ${qt_flag} SOURCES ${dbus} LIBS ${libs})
        if(TARN_DBUS_RUN_SESSION)
            add_test(NAME ${target}DbusTests COMMAND ${TARN_DBUS_RUN_SESSION} -- $<TARGET_FILE:${target}DbusTests>)
        else()
            tarn_add_failing_test(${target}DbusTests "dbus-run-session is missing: run scripts/setup.sh")
        endif()
        set_tests_properties(${target}DbusTests PROPERTIES LABELS dbus TIMEOUT 120)
    endif()

    file(GLOB wayland CONFIGURE_DEPENDS ${dir}/wayland/*.cpp)
    if(wayland)
        tarn_configure_test_binary(${target}WaylandTests ${qt_flag} SOURCES ${wayland} LIBS ${libs})
        if(TARN_SWAY)
            add_test(NAME ${target}WaylandTests
                     COMMAND ${TARN_SOURCE_ROOT}/scripts/with-sway.sh -- $<TARGET_FILE:${target}WaylandTests>)
        else()
            tarn_add_failing_test(${target}WaylandTests "sway is missing: run scripts/setup.sh")
        endif()
        set_tests_properties(${target}WaylandTests PROPERTIES LABELS wayland TIMEOUT 120)
    endif()

    file(GLOB umockdev CONFIGURE_DEPENDS ${dir}/umockdev/*.cpp)
    if(umockdev)
        if(TARN_UMOCKDEV_RUN AND UMOCKDEV_FOUND)
            tarn_configure_test_binary(${target}UmockdevTests ${qt_flag} SOURCES ${umockdev}
                                       LIBS ${libs} PkgConfig::UMOCKDEV)
            add_test(NAME ${target}UmockdevTests COMMAND ${TARN_UMOCKDEV_RUN} -- $<TARGET_FILE:${target}UmockdevTests>)
            if(TARN_SANITIZE)
                # umockdev-run preloads its library ahead of the AddressSanitizer runtime, which
                # ASan refuses at start-up unless its link-order check is off. The user's own
                # options are kept.
                set_tests_properties(${target}UmockdevTests PROPERTIES
                    ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::verify_asan_link_order=0")
            endif()
        else()
            tarn_add_failing_test(${target}UmockdevTests "umockdev-run or libumockdev is missing: run scripts/setup.sh")
        endif()
        set_tests_properties(${target}UmockdevTests PROPERTIES LABELS umockdev TIMEOUT 120)
    endif()

    file(GLOB vm CONFIGURE_DEPENDS ${dir}/vm/*.cpp)
    if(vm)
        tarn_configure_test_binary(${target}VmTests ${qt_flag} SOURCES ${vm} LIBS ${libs})
        # One boot runs the whole binary; the first run on a machine also fetches a kernel.
        add_test(NAME ${target}VmTests COMMAND bash ${TARN_SOURCE_ROOT}/scripts/uinput-vm/run-in-vm --timeout 240
                 $<TARGET_FILE:${target}VmTests> --gtest_brief=1)
        # Alone: the emulated CPU starved by tests beside it can outlast the tap's 250 ms stall
        # limit, and the watchdog then lets go of the mouse in the middle of a test.
        set_tests_properties(${target}VmTests PROPERTIES LABELS vm TIMEOUT 300 RUN_SERIAL TRUE)
    endif()
endfunction()
