# Modules: the parts of a program that need a big library (the window
# toolkit, cairo), built as shared objects of their own and carried inside
# the program's executable, which loads them from memory only when they are
# used (platform/embedded_module.h). A run that does not use them never loads
# their libraries, and the executable stays one file.

add_library(scen_loader STATIC ${CMAKE_SOURCE_DIR}/platform/${SCEN_PLATFORM_HALF}/embedded_module.cc)
target_include_directories(scen_loader PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(scen_loader PUBLIC scen_flags ${CMAKE_DL_LIBS})

if(WIN32)
  # Windows: a module is linked into the program that uses it, whose
  # exports are its entry points; the program carries the module's name
  # only, its image being empty.
  function(scen_module target)
    if(NOT ARGN)
      add_library(${target} INTERFACE)  # a module not built for Windows
      return()
    endif()
    add_library(${target} OBJECT ${ARGN})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${target} PRIVATE scen_flags)
  endfunction()
  function(scen_embed_module consumer module name)
    set(cc ${CMAKE_CURRENT_BINARY_DIR}/generated/embedded_${name}.cc)
    file(GENERATE OUTPUT ${cc} CONTENT "// Generated at build time; do not edit.
#include <string_view>

namespace scen::incorporato {
std::string_view ${name}() { return {}; }
const char* ${name}_nome() { return \"${module}\"; }
}  // namespace scen::incorporato
")
    target_sources(${consumer} PRIVATE ${cc})
    target_link_libraries(${consumer} PRIVATE ${module} scen_loader)
  endfunction()
  return()
endif()

# scen_module(TARGET SOURCE...): a module whose soname is its file name,
# TARGET.so, and which exports only what its sources mark as visible.
function(scen_module target)
  add_library(${target} MODULE ${ARGN})
  set_target_properties(${target} PROPERTIES
    PREFIX "" SUFFIX ".so"
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/modules
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE scen_flags)
  target_link_options(${target} PRIVATE "-Wl,-soname,$<TARGET_FILE_NAME:${target}>" -Wl,--exclude-libs,ALL)
  # Every symbol resolved at link time. clang's sanitizers (the sanitizer
  # and fuzz builds) leave their runtime to the executable, so a module of
  # theirs cannot ask for it; the plain build (g++) always does.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" OR NOT (SCEN_SANITIZE OR SCEN_FUZZ))
    target_link_options(${target} PRIVATE -Wl,-z,defs)
  endif()
endfunction()

# scen_embed_module(CONSUMER MODULE NAME): CONSUMER carries MODULE's bytes
# as scen::incorporato::NAME() and its soname as NAME_nome(), and the loader.
# The copy it carries has no debug information, which no debugger could
# find in a module loaded from memory: the module as built, in modules/,
# keeps it.
if(NOT CMAKE_STRIP)
  message(FATAL_ERROR "no strip program found, needed to embed the modules")
endif()
function(scen_embed_module consumer module name)
  set(cc ${CMAKE_CURRENT_BINARY_DIR}/generated/embedded_${name}.cc)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/embedded/$<TARGET_FILE_NAME:${module}>)
  add_custom_command(
    OUTPUT ${cc}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/embedded
    COMMAND ${CMAKE_STRIP} --strip-debug -o ${copy} $<TARGET_FILE:${module}>
    COMMAND ${CMAKE_COMMAND} "-DOUT=${cc}" "-DNAMES=${name}" "-DFILES=${copy}" -DBY_REFERENCE=ON
            -P ${CMAKE_SOURCE_DIR}/cmake/embed_files.cmake
    DEPENDS ${module} ${CMAKE_SOURCE_DIR}/cmake/embed_files.cmake
    COMMENT "Embedding the module ${module}"
    VERBATIM)
  target_sources(${consumer} PRIVATE ${cc})
  target_link_libraries(${consumer} PRIVATE scen_loader)
endfunction()
