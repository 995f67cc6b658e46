# Writes a program's manual page from its own --help text, so that the page never drifts from the
# program: the first paragraph of the help (the "Usage:" lines) becomes SYNOPSIS, the rest
# DESCRIPTION, kept as the program lays it out; SECTIONS (a roff file) adds FILES, SEE ALSO and the
# like. The page is written as OUTPUT and, gzip-compressed, as OUTPUT.gz for installing.
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
${sections}")

file(ARCHIVE_CREATE OUTPUT "${OUTPUT}.gz" PATHS "${OUTPUT}" FORMAT raw COMPRESSION GZip)
