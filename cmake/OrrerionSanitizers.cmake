# Builds for finding faults: every target with AddressSanitizer and UndefinedBehaviorSanitizer
# (ORRERION_SANITIZE), and the libFuzzer targets of tests/fuzz (ORRERION_FUZZ, clang only, which
# also instruments every other target for coverage). A finding stops the program
# (-fno-sanitize-recover), so a test or a fuzz run that meets one fails.
option(ORRERION_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ORRERION_FUZZ "Build the libFuzzer targets in tests/fuzz (needs clang)" OFF)

# float-cast-overflow is named: g++ leaves it out of "undefined".
set(ORRERION_SANITIZER_FLAGS
  -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer)

if(ORRERION_SANITIZE OR ORRERION_FUZZ)
  add_compile_options(${ORRERION_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined,float-cast-overflow)
  # g++ 12 reports uninitialized members inside libstdc++'s own <regex> and <functional> when
  # AddressSanitizer instruments them (the plain build compiles the same code without a warning);
  # the sanitizers themselves check what that warning guesses at.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
endif()

if(ORRERION_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ORRERION_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  # Coverage for the fuzzer in every target; only the fuzz targets link libFuzzer itself.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
