# scenc plot: draws a compiled scenario through the system's drawing library
# (platform/picture.h): cairo on Linux, GDI+ on Windows. On Linux the
# drawing is a module carried inside scenc and loaded only when `scenc plot`
# runs (tools/plot/plot_module.h), so that the other subcommands never load
# cairo; on Windows it is linked into scenc (cmake/embedded_module.cmake).

# The drawing, position-independent for the module. The part of the core
# it uses comes from whoever links it: scen_core_pic in the Linux module,
# scenc's own core on Windows.
add_library(scen_plot STATIC
  tools/plot/plot_input.cc
  tools/plot/plot_features.cc
  tools/plot/plot_progressive.cc
  tools/plot/plot_stretch.cc
  tools/plot/plot_text.cc
  tools/plot/plot_labels.cc
  tools/plot/plot_axis.cc
  tools/plot/plot_canvas.cc
  tools/plot/plot_svg_text.cc
  tools/plot/plot_surface.cc
  tools/plot/plot_plan.cc
  tools/plot/plot_charts.cc
  tools/plot/plot_lanes.cc
  tools/plot/plot_signal_marks.cc
  tools/plot/plot_legend.cc
  tools/plot/plot_profile.cc
  tools/plot/plot_page.cc
  platform/${SCEN_PLATFORM_HALF}/picture.cc
)
set_target_properties(scen_plot PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(scen_plot PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(scen_plot PUBLIC scen_flags scen_format)

if(WIN32)
  # GDI+ and the GDI and COM it stands on are part of every Windows.
  target_link_libraries(scen_plot PUBLIC scen_core gdiplus gdi32 ole32)
  scen_module(scen_disegno tools/plot/plot_module.cc)
  target_link_libraries(scen_disegno PRIVATE scen_plot)
  target_sources(scenc PRIVATE tools/plot/plot_command.cc tools/plot/plot_format.cc)
  scen_embed_module(scenc scen_disegno modulo_disegno)
  return()
endif()

find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
target_link_libraries(scen_plot PUBLIC PkgConfig::CAIRO)

# What the drawing takes from the core: the compiled files' decoder, where
# their code points may come from, the file replacement, the bounded
# reading of a file and code page 1252, compiled again for the module.
add_library(scen_core_pic STATIC
  model/image_reader.cc
  compiler/code_point_origin.cc
  util/file_replace.cc
  util/temporary_files.cc
  util/standard_output.cc
  util/regular_file.cc
  util/cp1252.cc
  ${SCEN_PLATFORM_SOURCES}
)
set_target_properties(scen_core_pic PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(scen_core_pic PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(scen_core_pic PUBLIC scen_flags)

scen_module(scen_disegno tools/plot/plot_module.cc)
target_link_libraries(scen_disegno PRIVATE scen_plot scen_core_pic)

# The subcommand itself stays in scenc: it shares the name check of scenc compile.
target_sources(scenc PRIVATE tools/plot/plot_command.cc tools/plot/plot_format.cc)
scen_embed_module(scenc scen_disegno modulo_disegno)
