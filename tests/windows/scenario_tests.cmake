# The scenario program for Windows, run under Wine on a private X server
# (tests/windows/scenario_window_test.sh): its files against the Linux
# program's, its window while it works, its message boxes. The Linux
# program to compare with is SCEN_LINUX_SCENARIO, by default the one of the
# Linux build in build/ beside this one; without it the comparison is
# skipped.
set(SCEN_LINUX_SCENARIO ${CMAKE_SOURCE_DIR}/build/bin/scenario CACHE FILEPATH
    "The Linux build's scenario program, whose files the Windows one must match")

# Where the program refuses to work, with either system's commands.
add_executable(scen_program_tests ${CMAKE_CURRENT_LIST_DIR}/../run_place_test.cc)
target_link_libraries(scen_program_tests PRIVATE scen_driver GTest::gtest_main)
gtest_discover_tests(scen_program_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)

# A Windows program of the tests' own: it finds the program's window and its
# message box by enumerating windows, and holds a file open.
add_executable(scen_window_probe ${CMAKE_CURRENT_LIST_DIR}/window_probe.cc)
target_link_libraries(scen_window_probe PRIVATE scen_flags user32)

find_program(SCEN_XVFB Xvfb)
find_program(SCEN_XDOTOOL xdotool)
if(SCEN_XVFB AND SCEN_XDOTOOL)
  foreach(scenario_case files window refusal)
    add_test(NAME scenario_windows_${scenario_case}
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/scenario_window_test.sh ${scenario_case}
                     ${CMAKE_CURRENT_LIST_DIR}/wine_run.sh ${CMAKE_BINARY_DIR}/wine-desktop
                     $<TARGET_FILE:scenario> $<TARGET_FILE:scen_window_probe> ${SCEN_LINUX_SCENARIO})
    set_tests_properties(scenario_windows_${scenario_case} PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77
                         # One Wine prefix is one desktop: two runs would see each other's
                         # windows. The prefix is theirs alone: a Wine server that other
                         # tests started without a display would give them no desktop.
                         RESOURCE_LOCK scenario_windows_desktop)
  endforeach()
else()
  message(STATUS "Xvfb or xdotool missing: the Windows scenario program's tests are not run")
endif()
