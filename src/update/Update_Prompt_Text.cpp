#include "update/Update_Prompt_Text.h"

std::string Update_Prompt_Text(const std::string& appli_name, const std::string& appli_version,
                               const std::string& version_available)
{
    const std::string cr = "\r";
    if (!version_available.empty() && !appli_version.empty() && version_available != appli_version)
        return "Your version " + appli_version + " of " + appli_name + " is out of date !" + cr +
               "Actual version available : " + version_available + cr +
               "You could miss the benefit of new functions and fixed issues !" + cr +
               "Proceed to download this new application version ...";
    return "Your application :" + cr + appli_name + cr +
           " may be out of date and you could miss the benefit of new functions !" + cr +
           "Do you want to proceed to check the latest version of this application ?";
}
