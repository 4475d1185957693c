# `scenc dump`: readable tables and JSON of the compiled files.
find_package(nlohmann_json REQUIRED)
target_sources(scenc PRIVATE
  tools/dump_command.cc
  tools/dump_cells.cc
  tools/dump_records.cc
  tools/dump_track_plan.cc
  tools/dump_text_cells.cc
  tools/dump_text_records.cc
  tools/dump_text_plan.cc
  tools/dump_json.cc
  tools/text_format.cc
)
target_link_libraries(scenc PRIVATE nlohmann_json::nlohmann_json)
