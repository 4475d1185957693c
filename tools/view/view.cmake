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
