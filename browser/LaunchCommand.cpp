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

std::vector<std::string> LaunchCommand::ProfileArguments(Browser browser, const std::string& profile)
{
    std::vector<std::string> args;
    if (profile.empty())
        return args;
    if (browser == Browser::Firefox || browser == Browser::FirefoxPath)
        return { browser == Browser::Firefox ? "-P" : "--profile", profile };
    return { (browser == Browser::Opera ? "--side-profile-name=" : "--profile-directory=") + profile };
}

std::vector<std::string> LaunchCommand::Arguments(Browser browser, const std::string& profile, const std::string& safeUrl)
{
    std::vector<std::string> args = ProfileArguments(browser, profile);
    if (browser == Browser::Firefox || browser == Browser::FirefoxPath) {
        args.push_back("-new-window");
        args.push_back(safeUrl);
        return args;
    }
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
    const std::vector<std::string> head = ProfileArguments(browser, profile);
    // A command of its pages. Chromium: the first opens the window, the later ones add to it.
    // Firefox: each is a new window of its own, running or not: two pages or more each after
    // -url (a running Firefox opens them in one new window), a single page after -new-window (a
    // lone -url would go into the window in front, and -new-tab into whichever window comes
    // first, or be lost while a new one opens).
    const auto command = [&](const std::vector<std::string>& urls, bool first) {
        if (urls.size() == 1 && (firefox || first))
            return Arguments(browser, profile, urls[0]);
        std::vector<std::string> args = head;
        if (!firefox) {
            if (first)
                args.push_back("--new-window");
            args.push_back("--");  // no switch after this, whatever an address looks like
        }
        for (const std::string& url : urls) {
            if (firefox)
                args.push_back("-url");
            args.push_back(url);
        }
        return args;
    };
    const auto fits = [&](const std::vector<std::string>& args) { return programLength + LineLength(args) <= longest; };
    std::vector<std::vector<std::string>> commands;
    std::vector<std::string> current;
    const auto flush = [&] {
        if (current.empty())
            return;
        commands.push_back(command(current, commands.empty()));
        if (pages)
            pages->push_back(current.size());
        current.clear();
    };
    for (const std::string& url : safeUrls) {
        std::vector<std::string> more = current;
        more.push_back(url);
        if (fits(command(more, commands.empty()))) {
            current = std::move(more);
            continue;
        }
        // A page that fits in no command is left out; the others go on as they were.
        if (!fits(command({ url }, commands.empty() && current.empty()))) {
            if (left)
                left->push_back(url);
            continue;
        }
        flush();
        current = { url };
    }
    flush();
    return commands;
}
