# `scenc dump`: readable tables and JSON of the compiled files.
if(NOT TARGET nlohmann_json::nlohmann_json)
  find_package(nlohmann_json REQUIRED)
endif()
target_sources(scenc PRIVATE
  tools/dump/dump_command.cc
  tools/dump/dump_cells.cc
  tools/dump/dump_records.cc
  tools/dump/structure_check.cc
  tools/dump/dump_track_plan.cc
  tools/dump/dump_text_cells.cc
  tools/dump/dump_text_records.cc
  tools/dump/dump_text_plan.cc
  tools/dump/dump_json.cc
  tools/dump/text_format.cc
)
target_link_libraries(scenc PRIVATE nlohmann_json::nlohmann_json)
