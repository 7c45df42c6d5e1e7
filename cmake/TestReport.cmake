# Reading GoogleTest's JSON reports, for cmake/RunTestSuite.cmake and cmake/CheckTestCase.cmake.

# The cases a report holds, each as "<suite index>;<case index>" pairs flattened into one list, so that
# the caller reads what it needs of each with string(JSON ... testsuites <suite> testsuite <case>).
function(test_report_cases report variable)
    set(found)
    string(JSON suite_count LENGTH "${report}" testsuites)
    math(EXPR last_suite "${suite_count} - 1")
    foreach(suite_index RANGE ${last_suite})
        string(JSON case_count LENGTH "${report}" testsuites ${suite_index} testsuite)
        math(EXPR last_case "${case_count} - 1")
        foreach(case_index RANGE ${last_case})
            list(APPEND found ${suite_index} ${case_index})
        endforeach()
    endforeach()
    set(${variable} ${found} PARENT_SCOPE)
endfunction()
