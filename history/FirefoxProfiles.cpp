#include "FirefoxProfiles.h"
#include <algorithm>
#include <cctype>

namespace {
std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r");
    size_t e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

// A relative path of plain names: no drive, no root, no ".." and nothing that a folder
// name cannot hold.
bool PlainRelative(const std::string& path)
{
    if (path.empty() || path[0] == '\\' || path.find(':') != std::string::npos)
        return false;
    size_t start = 0;
    for (;;) {
        size_t end = path.find('\\', start);
        std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part.empty() || part == "." || part == ".." || part.find_first_of("<>\"|?*") != std::string::npos)
            return false;
        for (char c : part)
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

// "C:\..." with plain names after the root.
bool DriveAbsolute(const std::string& path)
{
    return path.size() > 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && path[2] == '\\' &&
           PlainRelative(path.substr(3));
}

struct Section {
    std::string name;
    std::string path;
    std::string isRelative;
    std::string installDefault;
    std::string displayName;
};

std::string Resolve(const Section& s, const std::string& folder)
{
    if (StartsWith(Lower(s.name), "install"))
        return s.installDefault.empty() ? std::string() : Resolve({ "Profile", s.installDefault, "1", {}, {} }, folder);
    std::string path = s.path;
    std::replace(path.begin(), path.end(), '/', '\\');
    if (Trim(s.isRelative) == "1")
        return PlainRelative(path) ? folder + "\\" + path : std::string();
    return DriveAbsolute(path) ? path : std::string();
}
}

std::vector<FirefoxProfiles::Profile> FirefoxProfiles::ParseNamed(const std::string& iniText, const std::string& iniFolder)
{
    std::vector<Section> sections;
    size_t start = 0;
    while (start < iniText.size()) {
        size_t end = iniText.find('\n', start);
        if (end == std::string::npos)
            end = iniText.size();
        std::string line = Trim(iniText.substr(start, std::min(end - start, kLongestLine + 1)));
        bool tooLong = end - start > kLongestLine;
        start = end + 1;
        if (tooLong || line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            std::string name = close == std::string::npos ? std::string() : line.substr(1, close - 1);
            std::string lower = Lower(name);
            if (StartsWith(lower, "profile") || StartsWith(lower, "install"))
                sections.push_back({ name, {}, "0", {}, {} });
            else
                sections.push_back({ {}, {}, {}, {}, {} });  // a section of no interest
            continue;
        }
        if (sections.empty() || sections.back().name.empty())
            continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = Lower(Trim(line.substr(0, eq)));
        std::string value = Trim(line.substr(eq + 1));
        Section& s = sections.back();
        bool install = StartsWith(Lower(s.name), "install");
        if (!install && key == "path")
            s.path = value;
        else if (!install && key == "isrelative")
            s.isRelative = value;
        else if (!install && key == "name")
            s.displayName = value;
        else if (install && key == "default")
            s.installDefault = value;
    }
    std::vector<Profile> profiles;
    std::vector<std::string> seen;
    for (const Section& s : sections) {
        if (s.name.empty())
            continue;
        std::string folder = Resolve(s, iniFolder);
        if (folder.empty())
            continue;
        auto known = std::find(seen.begin(), seen.end(), Lower(folder));
        if (known != seen.end()) {
            // An installation's default names a profile that a section of its own names too.
            std::string& name = profiles[static_cast<size_t>(known - seen.begin())].name;
            if (name.empty())
                name = s.displayName;
            continue;
        }
        if (profiles.size() == kMostProfiles)
            continue;
        seen.push_back(Lower(folder));
        profiles.push_back({ folder, s.displayName });
    }
    return profiles;
}

std::vector<std::string> FirefoxProfiles::Parse(const std::string& iniText, const std::string& iniFolder)
{
    std::vector<std::string> folders;
    for (Profile& p : ParseNamed(iniText, iniFolder))
        folders.push_back(std::move(p.folder));
    return folders;
}
