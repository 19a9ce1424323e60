// The build's own date and time; the build pins them through SOURCE_DATE_EPOCH so that a build is reproducible.
#include "console/version_stamp.h"

#include <string_view>

#include "kalderos/kalderos.h"

namespace kalderos {

#define KALDEROS_TEXT_OF(number) #number
#define KALDEROS_TEXT(number) KALDEROS_TEXT_OF(number)
// The header's version is the project's, which the build passes as KALDEROS_VERSION.
static_assert(std::string_view(KALDEROS_VERSION) == KALDEROS_TEXT(KALDEROS_VERSION_MAJOR) "." KALDEROS_TEXT(
                                                       KALDEROS_VERSION_MINOR) "." KALDEROS_TEXT(KALDEROS_VERSION_PATCH));
#undef KALDEROS_TEXT
#undef KALDEROS_TEXT_OF

const char* const kBuildDate = __DATE__;
const char* const kBuildTime = __TIME__;
const char* const kProgramVersion = KALDEROS_VERSION;

}  // namespace kalderos
