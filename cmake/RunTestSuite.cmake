# Runs one test suite of a GoogleTest program for CTest and leaves its JSON report, which the entries of
# its cases read (cmake/CheckTestCase.cmake):
#   cmake -DREPORT=<report.json> -DCASES=<suite.case,...> -DTIMEOUT=<seconds> -P RunTestSuite.cmake
#         -- <program and its arguments...>
# The program's output passes through. The run fails when the program left no report (it crashed or hung),
# ran no case, failed outside the cases (at set-up, tear-down or exit), or ran a case that CTest
# does not list (the source scan missed it, so no entry would report it). Failed cases do not fail the run:
# their own entries do. A program that could not start at all (exit code 77, the Wine loader missing) is
# skipped, and its cases with it.

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/TestReport.cmake)

# A relative path is taken from the working folder, as the program takes it. A report or skip note left
# by an earlier run must not stand for this one.
cmake_path(ABSOLUTE_PATH REPORT NORMALIZE)
set(skip_note ${REPORT}.skipped)
file(REMOVE ${REPORT} ${skip_note})

# The command is everything after "--".
set(command)
set(in_command FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(index RANGE ${last})
    if(in_command)
        list(APPEND command "${CMAKE_ARGV${index}}")
    elseif(CMAKE_ARGV${index} STREQUAL "--")
        set(in_command TRUE)
    endif()
endforeach()

execute_process(COMMAND ${command} RESULT_VARIABLE status TIMEOUT ${TIMEOUT} ERROR_VARIABLE errors
                ECHO_ERROR_VARIABLE)

if(status EQUAL 77)
    # The reason (cmake/wine-run names it) goes to the case entries, which are then skipped too.
    string(REGEX MATCH "SKIPPED: [^\n]*" reason "${errors}")
    if(NOT reason)
        set(reason "SKIPPED: the program could not start (exit code 77)")
    endif()
    file(WRITE ${skip_note} "${reason}")
    message("${reason}")
    return()
endif()
if(NOT EXISTS ${REPORT})
    message(FATAL_ERROR "The program wrote no report (${status}): it crashed or was stopped before its end.")
endif()

file(READ ${REPORT} report)
string(JSON ran GET "${report}" tests)
string(JSON failures GET "${report}" failures)
if(ran EQUAL 0)
    message(FATAL_ERROR "The program ran no case: the suite's filter selected nothing.")
endif()
if(NOT status EQUAL 0 AND failures EQUAL 0)
    message(FATAL_ERROR "The program exited with ${status} although no case failed: a fault outside the cases "
                        "(setting up, tearing down or at exit).")
endif()

# Every case run must have an entry of its own. Instances of a parameterised suite, Prefix/Suite.Case/Name,
# belong to the entry Suite.Case.
string(REPLACE "," ";" listed "${CASES}")
test_report_cases("${report}" cases)
while(cases)
    list(POP_FRONT cases suite_index case_index)
    string(JSON suite GET "${report}" testsuites ${suite_index} name)
    string(JSON case GET "${report}" testsuites ${suite_index} testsuite ${case_index} name)
    if(suite STREQUAL "NonTestSuiteFailure")
        message(FATAL_ERROR "The program failed outside the cases (its report's NonTestSuiteFailure).")
    endif()
    string(REGEX REPLACE ".*/" "" suite "${suite}")
    string(REGEX REPLACE "/.*" "" case "${case}")
    if(NOT "${suite}.${case}" IN_LIST listed)
        message(FATAL_ERROR "${suite}.${case} ran but has no CTest entry: the scan of the sources in "
                            "tests/CMakeLists.txt did not find it.")
    endif()
endwhile()
