#pragma once
// The suite's version, one number for every program, set in the top-level CMakeLists.txt.

namespace qvr {
const char* versionPrograma();
}
