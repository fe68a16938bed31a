# Configures and builds the fuzz targets with clang in BUILD_DIR (cmake -P script).
find_program(CLANGXX clang++)
find_program(CLANG clang)
if(NOT CLANGXX OR NOT CLANG)
    message(FATAL_ERROR "clang is not installed: the fuzz targets need clang and libFuzzer "
                        "(Debian packages clang and libclang-rt-14-dev; scripts/setup.sh installs "
                        "them).")
endif()

cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BUILD_DIR} -DCMAKE_CXX_COMPILER=${CLANGXX}
            -DCMAKE_C_COMPILER=${CLANG} -DVANTOREL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
    RESULT_VARIABLE configured)
if(NOT configured EQUAL 0)
    message(FATAL_ERROR "Configuring the fuzz targets in ${BUILD_DIR} failed (see above).")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} -j${cores} RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "Building the fuzz targets in ${BUILD_DIR} failed (see above).")
endif()
