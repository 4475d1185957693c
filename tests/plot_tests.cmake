# `scenc plot`, run as a user runs it on the embedded scenario and on
# missing and broken files; and the pieces of its picture.
add_executable(scen_plot_tests
  scenc_plot_test.cc
  plot_features_test.cc
  plot_layout_test.cc
)
target_link_libraries(scen_plot_tests PRIVATE scen_plot scen_core GTest::gtest_main)
scen_test_esegue(scen_plot_tests scenc)
# The suppressions cover fontconfig's font cache, never freed.
gtest_discover_tests(scen_plot_tests DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT
                     "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/plot_test.supp:print_suppressions=0")
