# `scenc view`: one self-contained HTML page of a scenario. The page's
# template, styles and script are files of their own, carried inside scenc.
set(scen_view_page_files
  ${CMAKE_SOURCE_DIR}/tools/view/view_page.html
  ${CMAKE_SOURCE_DIR}/tools/view/view_page.css
  ${CMAKE_SOURCE_DIR}/tools/view/view_page.js)
set(scen_view_page_names pagina_vista_html pagina_vista_css pagina_vista_js)
set(scen_view_page_cc ${CMAKE_BINARY_DIR}/generated/embedded_view_page.cc)
add_custom_command(
  OUTPUT ${scen_view_page_cc}
  COMMAND ${CMAKE_COMMAND} "-DOUT=${scen_view_page_cc}"
          "-DNAMES=${scen_view_page_names}"
          "-DFILES=${scen_view_page_files}" -P ${CMAKE_SOURCE_DIR}/cmake/embed_files.cmake
  DEPENDS ${scen_view_page_files} ${CMAKE_SOURCE_DIR}/cmake/embed_files.cmake
  COMMENT "Embedding the page of scenc view"
  VERBATIM)
target_sources(scenc PRIVATE
  tools/view/view_input.cc
  tools/view/view_json.cc
  tools/view/view_page.cc
  tools/view/view_command.cc
  ${scen_view_page_cc}
)

if(WIN32)
  scen_module(scen_servizio)
  target_sources(scenc PRIVATE tools/view/serve_command.cc)
  scen_embed_module(scenc scen_servizio modulo_servizio)
else()
# `scenc serve`: the HTTP server is a module carried inside scenc and loaded
# only when `scenc serve` runs (tools/view/serve_module.h).
find_package(PkgConfig REQUIRED)
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
scen_module(scen_servizio tools/view/serve_module.cc)
target_include_directories(scen_servizio PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(scen_servizio PRIVATE PkgConfig::HTTPLIB Threads::Threads)
target_sources(scenc PRIVATE tools/view/serve_command.cc)
scen_embed_module(scenc scen_servizio modulo_servizio)
endif()
