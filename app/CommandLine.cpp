#include "CommandLine.h"

namespace {
enum Switch { kReopen, kQuiet, kList, kHelp, kRestore, kWindows, kUnknown };

Switch SwitchOf(const std::u16string& argument)
{
    if (argument.size() < 2 || (argument[0] != u'/' && argument[0] != u'-'))
        return kUnknown;
    std::u16string name;
    for (size_t i = 1; i < argument.size(); ++i) {
        const char16_t c = argument[i];
        name += c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    }
    if (name == u"reopen")
        return kReopen;
    if (name == u"quiet")
        return kQuiet;
    if (name == u"list")
        return kList;
    if (name == u"?")
        return kHelp;
    if (name == u"restore")
        return kRestore;
    if (name == u"windows")
        return kWindows;
    return kUnknown;
}
}

CommandLine::Parsed CommandLine::Parse(const std::vector<std::u16string>& arguments)
{
    Parsed parsed;
    bool seen[kUnknown] = {};
    const auto bad = [&](const std::u16string& argument) {
        Parsed wrong;
        wrong.action = Bad;
        wrong.bad = argument;
        return wrong;
    };
    const std::u16string* quiet = nullptr;
    const std::u16string* windows = nullptr;
    for (const std::u16string& argument : arguments) {
        const Switch s = SwitchOf(argument);
        if (s == kUnknown || seen[s])
            return bad(argument);
        seen[s] = true;
        if (s == kQuiet) {
            quiet = &argument;
            parsed.quiet = true;
            continue;
        }
        if (s == kWindows) {
            windows = &argument;
            parsed.windows = true;
            continue;
        }
        if (parsed.action != Dialog)
            return bad(argument);  // a second command
        parsed.action = s == kReopen ? Reopen : s == kList ? List : s == kRestore ? Restore : Usage;
    }
    if (quiet && parsed.action != Reopen && parsed.action != Restore)
        return bad(*quiet);
    if (windows && parsed.action != List)
        return bad(*windows);
    return parsed;
}

int CommandLine::ExitCode(size_t found, size_t opened)
{
    if (found == 0)
        return kNothingFound;
    return opened == found ? kAllOpened : opened == 0 ? kError : kSomeNotOpened;
}
