# `scenc view`: the page's content, run as a user runs it; the page, and
# `scenc serve` with it, in a real browser: headless Chromium driven through
# chromedriver (skipped when the set-up script has not installed them).
add_executable(scen_view_tests scenc_view_test.cc)
target_link_libraries(scen_view_tests PRIVATE scen_core GTest::gtest_main nlohmann_json::nlohmann_json)
scen_test_esegue(scen_view_tests scenc)
gtest_discover_tests(scen_view_tests DISCOVERY_MODE PRE_TEST)

foreach(modo view serve)
  add_test(NAME scenc_${modo}_browser
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/view_browser_test.py ${modo} $<TARGET_FILE:scenc>)
  set_tests_properties(scenc_${modo}_browser PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77)
endforeach()
if(TARGET scen_make_line)
  add_test(NAME scenc_view_long_line_browser
           COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/view_browser_test.py long $<TARGET_FILE:scenc>
                   $<TARGET_FILE:scen_make_line>)
  set_tests_properties(scenc_view_long_line_browser PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77)
endif()

# The server's answers to requests, without sockets.
if(TARGET scen_serve_routes)
  add_executable(scen_serve_routes_tests serve_routes_test.cc)
  target_link_libraries(scen_serve_routes_tests PRIVATE scen_serve_routes GTest::gtest_main)
  gtest_discover_tests(scen_serve_routes_tests DISCOVERY_MODE PRE_TEST)
endif()
