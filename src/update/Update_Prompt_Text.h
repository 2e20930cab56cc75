#pragma once
#include <string>

// The text of the update prompt; lines are separated by a single CR ("\r").
// When `version_available` and `appli_version` are both non-empty and differ (exact comparison),
// the text names both versions and calls the own one out of date, whether the published one is
// newer or not. Otherwise it is the general text that only says the program may be out of date.
std::string Update_Prompt_Text(const std::string& appli_name, const std::string& appli_version,
                               const std::string& version_available);
