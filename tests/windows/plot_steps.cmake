# A step of the Windows tests of scenc plot (tests/windows/plot_tests.cmake):
# cmake -DSTEP=compile|png|refused -DEMULATOR=... -DSCENC=... -DPNG_CHECK=...
# -DDIR=... -P plot_steps.cmake

# Runs scenc.exe under the emulator in DIR: its status, output and errors.
function(scenc)
  execute_process(COMMAND ${EMULATOR} ${SCENC} ${ARGN} WORKING_DIRECTORY ${DIR}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(status ${status} PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_status wanted what)
  if(NOT status STREQUAL wanted)
    message(FATAL_ERROR "${what}: exit status ${status}, not ${wanted}\n${out}\n${err}")
  endif()
endfunction()

set(scenario --route Valcerra_Mosina --train IR20588)

if(STEP STREQUAL "compile")
  # The embedded scenario's three compiled files, in DIR.
  file(REMOVE_RECURSE ${DIR})
  file(MAKE_DIRECTORY ${DIR})
  scenc(sources --out .)
  expect_status(0 "scenc sources")
  scenc(compile ${scenario} --line Valcerra_Mosina_linea.txt --train-file Valcerra_Mosina_IR20588-.txt --out .)
  expect_status(0 "scenc compile")

elseif(STEP STREQUAL "png")
  # The whole line to a file, and a stretch through standard output: the
  # PNG's signature holds "\r\n", which a text-mode stream would break.
  # Each panel has its drawing, and the title band its text (GDI+ draws
  # text with a font Windows has: under Wine, the plot's own DejaVu Sans).
  file(REMOVE ${DIR}/scenario.png ${DIR}/stretch.png)
  scenc(plot ${scenario} --out scenario.png)
  expect_status(0 "scenc plot --out scenario.png")
  if(NOT out MATCHES "wrote scenario.png")
    message(FATAL_ERROR "scenc plot says: ${out}")
  endif()
  execute_process(COMMAND ${EMULATOR} ${SCENC} plot ${scenario} --from 110 --to 100 --format png --out -
                  WORKING_DIRECTORY ${DIR} RESULT_VARIABLE status OUTPUT_FILE ${DIR}/stretch.png ERROR_VARIABLE err)
  expect_status(0 "scenc plot --out -")
  set(panels plan 34 94 752 1372 5000 profile 814 94 1552 1372 100000 title 0 0 2400 88 1500)
  foreach(picture scenario.png stretch.png)
    execute_process(COMMAND ${EMULATOR} ${PNG_CHECK} ${picture} 2400 1500 ${panels}
                    WORKING_DIRECTORY ${DIR} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    message(STATUS "${out}")
    expect_status(0 "png_check ${picture}")
  endforeach()

elseif(STEP STREQUAL "refused")
  # SVG and PDF: a usage error before anything is read, naming scenc view,
  # and no picture written.
  file(REMOVE ${DIR}/scenario.svg)
  foreach(out_args "--out;scenario.svg" "--format;pdf;--out;-")
    scenc(plot ${scenario} ${out_args})
    expect_status(2 "scenc plot ${out_args}")
    if(NOT err MATCHES "only PNG" OR NOT err MATCHES "scenc view")
      message(FATAL_ERROR "scenc plot ${out_args} says: ${err}")
    endif()
    if(NOT out STREQUAL "")
      message(FATAL_ERROR "scenc plot ${out_args} wrote: ${out}")
    endif()
  endforeach()
  if(EXISTS ${DIR}/scenario.svg)
    message(FATAL_ERROR "scenc plot wrote scenario.svg")
  endif()
else()
  message(FATAL_ERROR "plot_steps.cmake: no step ${STEP}")
endif()
