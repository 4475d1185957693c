# `scenc dump`, run as a user runs it, on the embedded scenario's compiled
# files and on broken ones.
if(NOT TARGET nlohmann_json::nlohmann_json)
  find_package(nlohmann_json REQUIRED)
endif()
add_executable(scen_dump_tests scenc_dump_test.cc)
target_link_libraries(scen_dump_tests PRIVATE scen_core GTest::gtest_main nlohmann_json::nlohmann_json)
scen_test_esegue(scen_dump_tests scenc)
gtest_discover_tests(scen_dump_tests DISCOVERY_MODE PRE_TEST)

# The JSON of the three files, of a broken one and of standard input,
# validated against the schema that documents it.
add_test(NAME scen_dump_json_schema
         COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/dump_json_schema_test.py $<TARGET_FILE:scenc>
                 ${CMAKE_SOURCE_DIR}/docs/dump-json.schema.json)
