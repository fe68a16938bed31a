# vantorel_add_test(<name> SOURCES <files...> LIBS <targets...> [ENCODER] [TIMEOUT <s>])
#
# One QtTest program per module, registered with CTest. Tests marked ENCODER start or kill
# processes named conv.exe; the kill is system-wide by name, so they share one resource lock
# and never run at the same time as each other.
function(vantorel_add_test name)
    cmake_parse_arguments(ARG "ENCODER" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_compile_definitions(${name} PRIVATE
        VANTOREL_APP_DIR="${VANTOREL_APP_DIR}"
        VANTOREL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        VANTOREL_BINARY_DIR="${CMAKE_BINARY_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set(env "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
    if(ARG_ENCODER)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK conv_exe)
    endif()
    if(ARG_TIMEOUT)
        set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    else()
        set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    endif()
endfunction()
