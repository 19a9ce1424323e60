// The version stamp yy.mm.dd.hh.mm built from the program's build date and time.
#pragma once

#include <string>
#include <string_view>

namespace kalderos {

// `date` as "Aug 27 2013", `time` as "09:13:38"; the suffix is kept to 33 characters.
[[nodiscard]] std::string MakeVersionStamp(std::string_view date, std::string_view time, std::string_view suffix = {});

// The date and time this program was built, in those forms.
extern const char* const kBuildDate;
extern const char* const kBuildTime;

// The release version, as "1.0.0".
extern const char* const kProgramVersion;

}  // namespace kalderos
