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

# `scenc serve`: an HTTP server on Boost.Beast and Boost.Asio, headers only,
# compiled into scenc. Asio is the portability layer of its sockets, timers
# and signals; what it leaves to each system is in platform/. The answers to
# requests, apart from the sockets, are a library of their own for the tests
# and the fuzz targets to drive. Asio on Windows wants the oldest version it
# may rely on named: Windows 10.
if(NOT TARGET Boost::headers)
  find_package(Boost 1.74 REQUIRED)
endif()
add_library(scen_serve_routes STATIC tools/view/serve_routes.cc)
target_include_directories(scen_serve_routes PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(scen_serve_routes PUBLIC scen_flags Boost::headers)
target_sources(scenc PRIVATE
  tools/view/serve_server.cc
  tools/view/serve_command.cc
)
target_link_libraries(scenc PRIVATE scen_serve_routes Threads::Threads)
if(WIN32)
  target_compile_definitions(scen_serve_routes PUBLIC _WIN32_WINNT=0x0A00)
  target_sources(scenc PRIVATE platform/windows/listening_socket.cc)
  target_link_libraries(scenc PRIVATE ws2_32 mswsock)
else()
  target_sources(scenc PRIVATE platform/posix/listening_socket.cc)
endif()
