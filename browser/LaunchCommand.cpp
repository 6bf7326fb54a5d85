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

namespace {
// The arguments that name the profile, as Arguments gives them.
std::vector<std::string> ProfileArguments(LaunchCommand::Browser browser, const std::string& profile)
{
    std::vector<std::string> args = LaunchCommand::Arguments(browser, profile, "x");
    const size_t tail = browser == LaunchCommand::Browser::Firefox || browser == LaunchCommand::Browser::FirefoxPath ? 2 : 3;
    args.resize(args.size() - tail);  // without -new-window (or --new-window, --) and the address
    return args;
}

size_t LineLength(const std::vector<std::string>& args)
{
    return LaunchCommand::ArgumentsLine(args).size();
}
}

std::vector<std::vector<std::string>> LaunchCommand::TabCommands(Browser browser, const std::string& profile,
                                                                 const std::vector<std::string>& safeUrls,
                                                                 size_t programLength, size_t longest,
                                                                 std::vector<std::string>* left, std::vector<size_t>* pages)
{
    const bool firefox = browser == Browser::Firefox || browser == Browser::FirefoxPath;
    std::vector<std::vector<std::string>> commands;
    if (safeUrls.size() == 1) {
        std::vector<std::string> args = Arguments(browser, profile, safeUrls[0]);
        if (programLength + LineLength(args) <= longest) {
            commands.push_back(args);
            if (pages)
                pages->push_back(1);
        } else if (left) {
            left->push_back(safeUrls[0]);
        }
        return commands;
    }
    const std::vector<std::string> head = ProfileArguments(browser, profile);
    // What a command starts with: the first opens the window, the later ones add to it.
    const auto start = [&](bool first) {
        std::vector<std::string> args = head;
        if (!firefox) {
            if (first)
                args.push_back("--new-window");
            args.push_back("--");  // no switch after this, whatever an address looks like
        }
        return args;
    };
    std::vector<std::string> current = start(true);
    size_t inCurrent = 0;
    const auto fits = [&](const std::vector<std::string>& args, const std::vector<std::string>& more) {
        return programLength + LineLength(args) + LineLength(more) <= longest;
    };
    for (const std::string& url : safeUrls) {
        std::vector<std::string> adding;
        if (firefox)
            adding.push_back(commands.empty() ? "-url" : "-new-tab");
        adding.push_back(url);
        if (!fits(current, adding)) {
            // The command so far goes, and the page starts the next one, if it fits there.
            std::vector<std::string> next = inCurrent > 0 ? start(false) : current;
            if (firefox && inCurrent > 0)
                adding.front() = "-new-tab";
            if (!fits(next, adding)) {
                if (left)
                    left->push_back(url);
                continue;
            }
            if (inCurrent > 0) {
                commands.push_back(current);
                if (pages)
                    pages->push_back(inCurrent);
                current = next;
                inCurrent = 0;
            }
        }
        current.insert(current.end(), adding.begin(), adding.end());
        ++inCurrent;
    }
    if (inCurrent > 0) {
        commands.push_back(current);
        if (pages)
            pages->push_back(inCurrent);
    }
    return commands;
}
