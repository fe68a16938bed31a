# Runs one fuzz target for SECONDS over its seeds in SEEDS (cmake -P script). New inputs go to a
# fresh WORK_DIR, never into the seeds; a failing input is kept there as crash-*.
if(NOT EXISTS ${FUZZER})
    message(FATAL_ERROR "${FUZZER} is missing: the fuzz_build test builds it.")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/corpus)
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=30 -rss_limit_mb=2048
            -print_final_stats=1 -artifact_prefix=${WORK_DIR}/ ${WORK_DIR}/corpus ${SEEDS}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(GLOB found ${WORK_DIR}/crash-* ${WORK_DIR}/leak-* ${WORK_DIR}/timeout-* ${WORK_DIR}/oom-*)
    message(FATAL_ERROR "${FUZZER} found a fault (exit ${result}); the input is kept in: ${found}\n"
                        "Replay it with: ${FUZZER} <that file>")
endif()
