// The build's own date and time; the build pins them through SOURCE_DATE_EPOCH so that a build is reproducible.
#include "console/version_stamp.h"

namespace kalderos {

const char* const kBuildDate = __DATE__;
const char* const kBuildTime = __TIME__;
const char* const kProgramVersion = KALDEROS_VERSION;

}  // namespace kalderos
