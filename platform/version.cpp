#include "platform/version.h"

namespace qvr {
const char* versionPrograma() { return QVR_VERSION; }
}  // namespace qvr
