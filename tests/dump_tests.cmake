# `scenc dump`, run as a user runs it, on the embedded scenario's compiled
# files and on broken ones.
find_package(nlohmann_json REQUIRED)
add_executable(scen_dump_tests scenc_dump_test.cc)
target_link_libraries(scen_dump_tests PRIVATE scen_core GTest::gtest_main nlohmann_json::nlohmann_json)
scen_test_esegue(scen_dump_tests scenc)
gtest_discover_tests(scen_dump_tests DISCOVERY_MODE PRE_TEST)
