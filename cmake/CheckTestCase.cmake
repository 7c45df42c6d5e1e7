# The verdict on one test case, read from the JSON report its suite's run left (cmake/RunTestSuite.cmake):
#   cmake -DREPORT=<report.json> -DSUITE=<suite> -DCASE=<case> -P CheckTestCase.cmake
# Passes when the case ran and passed: every instance of it, for a parameterised suite (instances that
# skipped themselves aside). Prints the failure messages of a case that failed; a case the report does
# not hold fails. A case that skipped itself, and every case of a suite whose program could not start,
# prints SKIPPED (which CTest's SKIP_REGULAR_EXPRESSION reports as skipped).

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/TestReport.cmake)

# A relative path is taken from the working folder, as the program takes it.
cmake_path(ABSOLUTE_PATH REPORT NORMALIZE)
if(EXISTS ${REPORT}.skipped)
    file(READ ${REPORT}.skipped reason)
    message("${reason}")
    return()
endif()
if(NOT EXISTS ${REPORT})
    message(FATAL_ERROR "${SUITE}.${CASE}: no report ${REPORT}; its suite's run failed or did not run.")
endif()
file(READ ${REPORT} report)

# Instances of a parameterised suite are Prefix/Suite.Case/Name.
set(instances 0)
set(skipped 0)
set(failed 0)
test_report_cases("${report}" cases)
while(cases)
    list(POP_FRONT cases suite_index case_index)
    string(JSON suite GET "${report}" testsuites ${suite_index} name)
    string(JSON case GET "${report}" testsuites ${suite_index} testsuite ${case_index})
    string(JSON name GET "${case}" name)
    if(NOT suite MATCHES "^(.*/)?${SUITE}$" OR NOT name MATCHES "^${CASE}(/.*)?$")
        continue()
    endif()
    math(EXPR instances "${instances} + 1")
    string(JSON result GET "${case}" result)
    string(JSON status GET "${case}" status)
    if(result STREQUAL "SKIPPED" OR status STREQUAL "NOTRUN")
        math(EXPR skipped "${skipped} + 1")
    endif()
    string(JSON failure_count ERROR_VARIABLE no_failures LENGTH "${case}" failures)
    if(NOT no_failures)
        math(EXPR failed "${failed} + 1")
        math(EXPR last_failure "${failure_count} - 1")
        foreach(failure_index RANGE ${last_failure})
            string(JSON failure GET "${case}" failures ${failure_index} failure)
            message("${suite}.${name}: ${failure}\n")
        endforeach()
    endif()
endwhile()

if(instances EQUAL 0)
    message(FATAL_ERROR "${SUITE}.${CASE} is not in the report ${REPORT}: it did not run.")
elseif(failed GREATER 0)
    message(FATAL_ERROR "${SUITE}.${CASE} failed in ${failed} of its ${instances} runs.")
elseif(skipped EQUAL instances)
    message("SKIPPED: ${SUITE}.${CASE} skipped itself (its suite's run prints why)")
elseif(skipped GREATER 0)
    message("${SUITE}.${CASE} passed; ${skipped} of its ${instances} instances skipped themselves.")
endif()
