#pragma once
// The program's version, declared once in the top CMakeLists.txt (project(Orrerion VERSION ...)).
namespace orrerion {

// "2.34": what `--version` prints after the program's name and the title and About windows show.
const char* ProgramVersion();

}  // namespace orrerion
