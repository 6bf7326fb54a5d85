// The Firefox profiles that profiles.ini names: every [ProfileN] section's folder and every
// installation's default ([Install...] Default=), each once. A relative path (IsRelative=1,
// forward slashes) is taken from the folder of profiles.ini and may not climb out of it; an
// absolute one must name a drive. Anything else (a network path, an empty or odd value, a
// path that climbs out) is passed over. The file is the user's, but written by a program that
// web pages can reach: it is read with bounds.
#pragma once
#include <string>
#include <vector>

class FirefoxProfiles {
public:
    // Folders in the order the file names them, with backslashes; `iniFolder` without a
    // trailing backslash.
    static std::vector<std::string> Parse(const std::string& iniText, const std::string& iniFolder);
    // The same, each with the name its [ProfileN] section gives it (Name=; empty for none).
    struct Profile {
        std::string folder;
        std::string name;
    };
    static std::vector<Profile> ParseNamed(const std::string& iniText, const std::string& iniFolder);

    static constexpr size_t kMostProfiles = 64;
    static constexpr size_t kLongestLine = 4096;
};
