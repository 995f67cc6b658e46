#include "core/base/version.h"

// Defined for this file only by src/core/CMakeLists.txt from the project's version, so that a new
// version recompiles one file.
#ifndef ORRERION_VERSION
#error "ORRERION_VERSION is not defined"
#endif

namespace orrerion {

const char* ProgramVersion() { return ORRERION_VERSION; }

}  // namespace orrerion
