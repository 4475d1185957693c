# scenc plot on Windows: GDI+ draws the embedded scenario as a PNG of the
# right size with both panels and the title's text on it, whole through
# standard output too; SVG and PDF are refused with a message naming
# scenc view. Each step is tests/windows/plot_steps.cmake run on scenc.exe
# under the build's emulator; png_check reads the picture with GDI+.
add_executable(png_check ${CMAKE_CURRENT_LIST_DIR}/png_check.cc)
target_link_libraries(png_check PRIVATE scen_flags gdiplus)
target_compile_definitions(png_check PRIVATE _WIN32_WINNT=0x0A00 WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_options(png_check PRIVATE -static)

set(scen_plot_dir ${CMAKE_CURRENT_BINARY_DIR}/plot_windows)
foreach(step compile png refused)
  add_test(NAME scenc_plot_windows_${step}
           COMMAND ${CMAKE_COMMAND} -DSTEP=${step} "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}"
                   -DSCENC=$<TARGET_FILE:scenc> -DPNG_CHECK=$<TARGET_FILE:png_check> -DDIR=${scen_plot_dir}
                   -P ${CMAKE_CURRENT_LIST_DIR}/plot_steps.cmake)
endforeach()
set_tests_properties(scenc_plot_windows_compile PROPERTIES FIXTURES_SETUP scen_plot_windows)
set_tests_properties(scenc_plot_windows_png scenc_plot_windows_refused PROPERTIES FIXTURES_REQUIRED scen_plot_windows)
