# Runs one scenario script through the headless driver and compares its trace with the
# expected one beside it. Options come from a first line "# options: ..." of the script; the
# expected exit code from a line "# exit: N" (0 when absent). Every screen a script shoots
# ("screenshot NAME.png") must equal the reference NAME.png beside it, byte for byte: the
# screenshots are written by one encoder, so equal pixels make equal files. The options are split
# by the shell, so an empty argument such as --model "" reaches the program.
cmake_minimum_required(VERSION 3.25)
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
set(expected ${dir}/${name}.trace)
file(MAKE_DIRECTORY ${WORK})
set(actual ${WORK}/${name}.trace)

file(STRINGS ${SCRIPT} lines)
set(options "")
set(expected_exit 0)
foreach(line ${lines})
  if(line MATCHES "^# options: (.*)$")
    set(options "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^# exit: ([0-9]+)$")
    set(expected_exit ${CMAKE_MATCH_1})
  elseif(line MATCHES "^screenshot (.+)$")
    list(APPEND screenshots "${CMAKE_MATCH_1}")
  endif()
endforeach()

# A script names test pictures as "@TEST_DATA@/NAME": it runs from a copy in WORK with the data
# folder filled in, and its expected trace is read with the folder filled in the same way.
set(run_script ${SCRIPT})
file(READ ${SCRIPT} script_text)
if(script_text MATCHES "@TEST_DATA@")
  if(NOT DEFINED TEST_DATA)
    message(FATAL_ERROR "${SCRIPT} uses @TEST_DATA@, but no -DTEST_DATA was given")
  endif()
  string(REPLACE "@TEST_DATA@" "${TEST_DATA}" script_text "${script_text}")
  set(run_script ${WORK}/${name}.script)
  file(WRITE ${run_script} "${script_text}")
endif()

execute_process(
  COMMAND sh -c "exec \"$0\" --headless ${options} --script \"$1\" --trace \"$2\"" ${PROGRAM} ${run_script} ${actual}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE code
  ERROR_VARIABLE errors)
if(NOT code EQUAL expected_exit)
  message(FATAL_ERROR "exit code ${code}, expected ${expected_exit}\n${errors}")
endif()
if(NOT EXISTS ${expected})
  message(FATAL_ERROR "no expected trace ${expected}; this run wrote ${actual}")
endif()
if(NOT run_script STREQUAL SCRIPT)
  # The trace quotes texts with \ and \" escaped.
  string(REPLACE "\\" "\\\\" traced_data "${TEST_DATA}")
  string(REPLACE "\"" "\\\"" traced_data "${traced_data}")
  file(READ ${expected} expected_text)
  string(REPLACE "@TEST_DATA@" "${traced_data}" expected_text "${expected_text}")
  set(expected ${WORK}/${name}.expected.trace)
  file(WRITE ${expected} "${expected_text}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${actual} ${expected} RESULT_VARIABLE differ)
if(differ)
  execute_process(COMMAND diff -u ${expected} ${actual} OUTPUT_VARIABLE diff)
  message(FATAL_ERROR "trace differs from ${expected}:\n${diff}")
endif()

foreach(shot ${screenshots})
  if(NOT EXISTS ${dir}/${shot})
    message(FATAL_ERROR "no reference screenshot ${dir}/${shot}; this run wrote ${WORK}/${shot}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${shot} ${dir}/${shot} RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "screenshot ${WORK}/${shot} differs from the reference ${dir}/${shot}")
  endif()
endforeach()
