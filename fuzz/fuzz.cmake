# libFuzzer targets, built only in a build directory of their own configured
# with clang and -DSCEN_FUZZ=ON (`make fuzz` does it). Every library of that
# build gets coverage instrumentation, AddressSanitizer, UndefinedBehavior-
# Sanitizer and the standard library's bounds checks, so that any access
# outside a table stops the run.
option(SCEN_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(SCEN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "SCEN_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  target_compile_options(scen_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                              -fno-sanitize-recover=all -fno-omit-frame-pointer
                                              -D_GLIBCXX_ASSERTIONS
                                              -fsanitize-coverage-ignorelist=${CMAKE_CURRENT_LIST_DIR}/coverage_ignore.txt)
  target_link_options(scen_flags INTERFACE -fsanitize=address,undefined)

  add_library(scen_banco_prova STATIC ${CMAKE_CURRENT_LIST_DIR}/banco_prova.cc)
  target_link_libraries(scen_banco_prova PUBLIC scen_core scen_sources)
  target_compile_definitions(scen_banco_prova PRIVATE SCEN_ESEMPI_DIR="${CMAKE_SOURCE_DIR}/examples")

  # A change of the ignore list rebuilds what it applies to.
  foreach(lib scen_core scen_sources scen_banco_prova)
    get_target_property(sorgenti ${lib} SOURCES)
    set_property(SOURCE ${sorgenti} APPEND PROPERTY OBJECT_DEPENDS
                 ${CMAKE_CURRENT_LIST_DIR}/coverage_ignore.txt)
  endforeach()

  add_custom_target(scen_fuzz_all)
  foreach(prova linea linea_lunga treno compilazione immagini)
    add_executable(fuzz_${prova} ${CMAKE_CURRENT_LIST_DIR}/fuzz_main.cc)
    target_compile_definitions(fuzz_${prova} PRIVATE SCEN_PROVA=${prova})
    target_link_libraries(fuzz_${prova} PRIVATE scen_banco_prova)
    target_link_options(fuzz_${prova} PRIVATE -fsanitize=fuzzer)
    add_dependencies(scen_fuzz_all fuzz_${prova})
  endforeach()
  # The language server's handler, fed the stream an editor sends, mutated
  # mostly message by message.
  add_executable(fuzz_lsp ${CMAKE_CURRENT_LIST_DIR}/lsp_fuzz.cc ${CMAKE_CURRENT_LIST_DIR}/json_rpc_mutator.cc)
  target_link_libraries(fuzz_lsp PRIVATE scen_lsp)
  target_link_options(fuzz_lsp PRIVATE -fsanitize=fuzzer)
  add_dependencies(scen_fuzz_all fuzz_lsp)
  # What arrives from outside besides the sources: the HTTP requests of
  # `scenc serve` (the library's parser with the server's limits, then this
  # project's routes), and the editors' file: URIs.
  add_executable(fuzz_http ${CMAKE_CURRENT_LIST_DIR}/http_fuzz.cc)
  target_link_libraries(fuzz_http PRIVATE scen_serve_routes)
  target_link_options(fuzz_http PRIVATE -fsanitize=fuzzer)
  add_executable(fuzz_uri ${CMAKE_CURRENT_LIST_DIR}/uri_fuzz.cc)
  target_link_libraries(fuzz_uri PRIVATE scen_lsp)
  target_link_options(fuzz_uri PRIVATE -fsanitize=fuzzer)
  add_dependencies(scen_fuzz_all fuzz_http fuzz_uri)
  # The decoders' target also holds what decodes to the rules of scenc
  # dump, and mutates its seeds (whole compiled files) mostly a little.
  target_sources(fuzz_immagini PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/images_fuzz.cc
    ${CMAKE_CURRENT_LIST_DIR}/near_valid_mutator.cc
    ${CMAKE_SOURCE_DIR}/tools/dump/structure_check.cc
    ${CMAKE_SOURCE_DIR}/tools/dump/dump_records.cc
    ${CMAKE_SOURCE_DIR}/tools/dump/dump_cells.cc
    ${CMAKE_SOURCE_DIR}/tools/dump/text_format.cc)
  target_compile_definitions(fuzz_immagini PRIVATE SCEN_REGOLE_DUMP)
  # scenc writes the seed corpora.
  add_dependencies(scen_fuzz_all scenc)
endif()
