#pragma once
// What the chat link is configured with: the name it registers under, and the four settings
// read once at start from SCONTROL.TXT.

#include <filesystem>
#include <string>

#include "common/program_title.h"

namespace gv {

inline constexpr const char* kRegistrationName = kProgramTitle;
inline constexpr const char* kSettingsFile = "SCONTROL.TXT";

struct LinkSettings {
    std::string clientTitle = "VZones 3.0";
    bool activateClient = false;
    bool useDapi = false;
    int speakPause = 0;  // 16-bit signed
};

// Up to four lines (client title, activate flag, library flag, pause). Reading stops quietly
// at the first missing or unusable line; what was read so far is kept.
LinkSettings LoadLinkSettings(const std::filesystem::path& path);

}  // namespace gv
