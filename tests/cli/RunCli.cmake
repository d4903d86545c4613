# Runs reservium-cli and checks its exit status and what it wrote.
#   -DCLI=<program> -DARGS=<arguments separated by |> [-DINPUT=<file for standard input>]
#   -DEXPECT_EXIT=<status> [-DEXPECT_STDOUT=<regex>...] [-DEXPECT_STDERR=<regex>]
# EXPECT_STDOUT may hold several expressions separated by |; each must match.
string(REPLACE "|" ";" args "${ARGS}")
if(DEFINED INPUT)
    execute_process(COMMAND ${CLI} ${args} INPUT_FILE ${INPUT}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
else()
    execute_process(COMMAND ${CLI} ${args}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
endif()
if(NOT status STREQUAL EXPECT_EXIT)
    message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_EXIT}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED EXPECT_STDOUT)
    # Split by hand: a CMake list would not split inside the brackets of a pattern.
    set(rest "${EXPECT_STDOUT}")
    while(NOT rest STREQUAL "")
        string(FIND "${rest}" "|" bar)
        if(bar EQUAL -1)
            set(pattern "${rest}")
            set(rest "")
        else()
            string(SUBSTRING "${rest}" 0 ${bar} pattern)
            math(EXPR next "${bar} + 1")
            string(SUBSTRING "${rest}" ${next} -1 rest)
        endif()
        if(NOT out MATCHES "${pattern}")
            message(FATAL_ERROR "standard output does not match \"${pattern}\":\n${out}")
        endif()
    endwhile()
endif()
if(DEFINED EXPECT_STDERR)
    if(NOT err MATCHES "${EXPECT_STDERR}")
        message(FATAL_ERROR "standard error does not match \"${EXPECT_STDERR}\":\n${err}")
    endif()
    # One line saying what is wrong.
    string(REGEX MATCHALL "\n" lines "${err}")
    list(LENGTH lines count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "standard error should be one line:\n${err}")
    endif()
endif()
