# Writes orrerion-cli's bash completion script from the program's own table of options
# (`orrerion-cli completion bash`), so that the completion never drifts from the program.
# Run as: cmake -DPROGRAM=<exe> -DOUTPUT=<file> -P BashCompletion.cmake
cmake_minimum_required(VERSION 3.21)

foreach(var PROGRAM OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "BashCompletion.cmake: ${var} is not set")
  endif()
endforeach()

execute_process(COMMAND "${PROGRAM}" completion bash
  OUTPUT_VARIABLE script ERROR_VARIABLE script_error RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT script MATCHES "complete ")
  message(FATAL_ERROR "${PROGRAM} completion bash ended with ${status}: ${script_error}")
endif()
file(WRITE "${OUTPUT}" "${script}")
