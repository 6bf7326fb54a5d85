#include "LaunchCommand.h"
#include "../text/UrlText.h"

bool LaunchCommand::SafeUrl(const std::string& url, std::string* safe)
{
    if (!UrlText::HasScheme(url.data(), url.size()) || UrlText::IsScript(url.data(), url.size()))
        return false;
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(url.size());
    for (char ch : url) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x21 || c == 0x7F || c == '"') {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += ch;
        }
    }
    *safe = std::move(out);
    return true;
}

std::vector<std::string> LaunchCommand::Arguments(Browser browser, const std::string& profile, const std::string& safeUrl)
{
    std::vector<std::string> args;
    if (browser == Browser::Firefox || browser == Browser::FirefoxPath) {
        if (!profile.empty()) {
            args.push_back(browser == Browser::Firefox ? "-P" : "--profile");
            args.push_back(profile);
        }
        args.push_back("-new-window");
        args.push_back(safeUrl);
        return args;
    }
    if (!profile.empty())
        args.push_back((browser == Browser::Opera ? "--side-profile-name=" : "--profile-directory=") + profile);
    args.push_back("--new-window");
    // Chromium reads no switch after this, whatever the address looks like.
    args.push_back("--");
    args.push_back(safeUrl);
    return args;
}

std::string LaunchCommand::Quote(const std::string& arg)
{
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos)
        return arg;
    // Backslashes count only before a quote: there they are doubled, and the quote escaped.
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
            quoted += '"';
        } else {
            quoted.append(backslashes, '\\');
            quoted += c;
        }
        backslashes = 0;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string LaunchCommand::CommandLine(const std::string& program, const std::vector<std::string>& args)
{
    // The program's path is read up to the closing quote, without escapes; paths hold no quote.
    return "\"" + program + "\"" + ArgumentsLine(args);
}

std::string LaunchCommand::ArgumentsLine(const std::vector<std::string>& args)
{
    std::string line;
    for (const std::string& arg : args)
        line += " " + Quote(arg);
    return line;
}
