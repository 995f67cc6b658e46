# Writes a program's manual page from its own --help text, so that the page never drifts from the
# program: the first paragraph of the help (the "Usage:" lines) becomes SYNOPSIS, the rest
# DESCRIPTION, kept as the program lays it out. Paragraphs headed "Files:", "Environment:" and
# "Exit status:" become FILES, ENVIRONMENT and EXIT STATUS; when the help has a "Commands:"
# paragraph, the help of each command listed there (`PROGRAM COMMAND --help`) makes OPTIONS.
# SECTIONS (a roff file) adds EXAMPLES, SEE ALSO and the like. The page is written as OUTPUT and,
# gzip-compressed, as OUTPUT.gz for installing.
# Run as: cmake -DPROGRAM=<exe> -DNAME=<name> -DSUMMARY=<one line> -DVERSION=<version>
#               -DSECTIONS=<roff file> -DOUTPUT=<file.1> -P ManPage.cmake
cmake_minimum_required(VERSION 3.21)

foreach(var PROGRAM NAME SUMMARY VERSION SECTIONS OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "ManPage.cmake: ${var} is not set")
  endif()
endforeach()

execute_process(COMMAND "${PROGRAM}" --help
  OUTPUT_VARIABLE help ERROR_VARIABLE help_error RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help ended with ${status}: ${help_error}")
endif()

# Text to roff: a backslash prints as \e, a minus as \- (so options copy as typed), and a line
# starting with a dot or an apostrophe is not read as a request.
function(roff_text text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

string(FIND "${help}" "\n\n" split)
if(split LESS 0)
  message(FATAL_ERROR "${PROGRAM} --help has no usage paragraph")
endif()
string(SUBSTRING "${help}" 0 ${split} usage)
math(EXPR rest_start "${split} + 2")
string(SUBSTRING "${help}" ${rest_start} -1 description)
string(REGEX REPLACE "^Usage: " "" usage "${usage}")
string(REGEX REPLACE "\n +" "\n" usage "${usage}")
string(REGEX REPLACE "\n+$" "" description "${description}")

# The paragraphs of the description that have sections of their own, their heading left out and
# their text moved two columns left; the others stay in DESCRIPTION in their order.
set(section_FILES "")
set(section_ENVIRONMENT "")
set(section_EXIT_STATUS "")
set(commands "")
set(kept "")
string(REPLACE ";" "\\;" description "${description}")
string(REPLACE "\n\n" ";" paragraphs "${description}")
foreach(paragraph IN LISTS paragraphs)
  set(section "")
  if(paragraph MATCHES "^Files:\n")
    set(section FILES)
  elseif(paragraph MATCHES "^Environment:\n")
    set(section ENVIRONMENT)
  elseif(paragraph MATCHES "^Exit status:\n")
    set(section EXIT_STATUS)
  endif()
  if(section)
    # (REGEX REPLACE would anchor ^ again after each match.)
    string(FIND "${paragraph}" "\n" heading_end)
    math(EXPR heading_end "${heading_end} + 1")
    string(SUBSTRING "${paragraph}" ${heading_end} -1 body)
    string(REPLACE "\n  " "\n" body "\n${body}")
    string(SUBSTRING "${body}" 1 -1 body)
    set(section_${section} "${body}")
    continue()
  endif()
  if(paragraph MATCHES "^Commands:\n")
    string(REGEX MATCHALL "\n  [a-z][a-z-]*" listed "${paragraph}")
    foreach(line IN LISTS listed)
      string(STRIP "${line}" command)
      list(APPEND commands "${command}")
    endforeach()
  endif()
  if(kept STREQUAL "")
    set(kept "${paragraph}")
  else()
    string(APPEND kept "\n\n${paragraph}")
  endif()
endforeach()
set(description "${kept}")

set(options "")
foreach(command IN LISTS commands)
  execute_process(COMMAND "${PROGRAM}" ${command} --help
    OUTPUT_VARIABLE command_help ERROR_VARIABLE help_error RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${command} --help ended with ${status}: ${help_error}")
  endif()
  string(REGEX REPLACE "\n+$" "" command_help "${command_help}")
  roff_text("${command_help}" command_help)
  string(APPEND options ".SS ${command}\n.nf\n${command_help}\n.fi\n")
endforeach()

set(extra "")
if(options)
  string(APPEND extra ".SH OPTIONS\n${options}")
endif()
foreach(section EXIT_STATUS ENVIRONMENT FILES)
  if(section_${section})
    roff_text("${section_${section}}" body)
    string(REPLACE "_" " " heading "${section}")
    string(APPEND extra ".SH ${heading}\n.nf\n${body}\n.fi\n")
  endif()
endforeach()

roff_text("${usage}" usage)
roff_text("${description}" description)
roff_text("${SUMMARY}" summary)
file(READ "${SECTIONS}" sections)
string(TOUPPER "${NAME}" title)
roff_text("${title}" title)
roff_text("${NAME}" name)

file(WRITE "${OUTPUT}"
".\\\" Written by cmake/ManPage.cmake from the program's --help text; edit the program, not this file.
.TH ${title} 1 \"\" \"Orrerion ${VERSION}\" \"User Commands\"
.SH NAME
${name} \\- ${summary}
.SH SYNOPSIS
.nf
${usage}
.fi
.SH DESCRIPTION
.nf
${description}
.fi
${extra}${sections}")

file(ARCHIVE_CREATE OUTPUT "${OUTPUT}.gz" PATHS "${OUTPUT}" FORMAT raw COMPRESSION GZip)
