# The shells' completion scripts, written at build time by scenc itself from
# its own command line (`scenc __completions DIR`), so that they list
# exactly the subcommands and options it has.
set(SCEN_COMPLETIONS_DIR ${CMAKE_BINARY_DIR}/completions)
set(scen_completion_scripts
  ${SCEN_COMPLETIONS_DIR}/scenc
  ${SCEN_COMPLETIONS_DIR}/_scenc
  ${SCEN_COMPLETIONS_DIR}/scenc.fish)
add_custom_command(
  OUTPUT ${scen_completion_scripts}
  COMMAND $<TARGET_FILE:scenc> __completions ${SCEN_COMPLETIONS_DIR}
  DEPENDS scenc
  COMMENT "Writing the completion scripts of bash, zsh and fish"
  VERBATIM)
add_custom_target(scen_completions ALL DEPENDS ${scen_completion_scripts})
