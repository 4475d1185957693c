# scenc plot: draws a compiled scenario with cairo.
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)

add_library(scen_plot STATIC
  tools/plot_input.cc
  tools/plot_features.cc
  tools/plot_progressive.cc
  tools/plot_text.cc
  tools/plot_labels.cc
  tools/plot_axis.cc
  tools/plot_canvas.cc
  tools/plot_surface.cc
  tools/plot_plan.cc
  tools/plot_charts.cc
  tools/plot_lanes.cc
  tools/plot_legend.cc
  tools/plot_profile.cc
  tools/plot_page.cc
)
target_link_libraries(scen_plot PUBLIC scen_core CLI11::CLI11 PkgConfig::CAIRO)
# The subcommand itself stays in scenc: it shares the name check of scenc compile.
target_sources(scenc PRIVATE tools/plot_command.cc)
target_link_libraries(scenc PRIVATE scen_plot)
