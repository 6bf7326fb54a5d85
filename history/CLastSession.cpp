#include "CLastSession.h"
#include "BrowserRestorePrefs.h"
#include "CProfileLock.h"
#include "CSessionKey.h"
#include "ChromiumSession.h"
#include "FirefoxSession.h"
#include "SessionWindows.h"
#include "../framework/FileSystem.h"
#include "../text/Utf8Text.h"
#include <algorithm>
#include <utility>

namespace {
using Kind = LastSession::Kind;

std::string ReadSession(const std::wstring& path) { return FileSystem::ReadShared(path, SessionWindows::kLargestFile); }

// The Session_<time> files of a folder, newest first.
std::vector<std::pair<int64_t, std::wstring>> SessionFiles(const std::wstring& folder)
{
    std::vector<std::pair<int64_t, std::wstring>> files;
    for (const FileSystem::Entry& entry : FileSystem::List(folder, L"Session_*", 1000)) {
        int64_t time = 0;
        if (!entry.isFolder && ChromiumSession::NameTime(Utf8Text::FromWide(entry.name), &time))
            files.push_back({ time, folder + L"\\" + entry.name });
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    return files;
}

// A Chromium profile's clear session files, newest first.
std::vector<std::pair<int64_t, std::wstring>> ClearFiles(const std::wstring& folder)
{
    auto clear = SessionFiles(folder + L"\\Sessions");
    if (clear.empty())  // before the Sessions folder: the run's file, then the one before
        for (const wchar_t* name : { L"Current Session", L"Last Session" })
            clear.push_back({ 0, folder + L"\\" + name });
    return clear;
}

void ReadChromium(const BrowserProfile& p, LastSession* last)
{
    const std::wstring folder = p.Folder();
    auto clear = ClearFiles(folder);
    // While the browser runs only its newest file says what is open.
    if (last->open && clear.size() > 1)
        clear.resize(1);
    bool seen = false;
    int64_t clearTime = -1;
    for (const auto& [time, path] : clear) {
        const std::string bytes = ReadSession(path);
        seen = seen || !bytes.empty();
        if (!bytes.empty() && ChromiumSession::Windows(bytes, &last->windows) == ChromiumSession::File::kReadable) {
            clearTime = time;
            last->kind = Kind::kRead;
            break;
        }
    }
    // Encrypted copies newer than the clear file: read when the user's key opens them.
    auto encrypted = SessionFiles(folder + L"\\Sessions_Encrypted");
    encrypted.erase(std::remove_if(encrypted.begin(), encrypted.end(),
                                   [&](const auto& f) { return clearTime >= 0 && f.first <= clearTime + CLastSession::kSameFileUs; }),
                    encrypted.end());
    if (last->open && encrypted.size() > 1)
        encrypted.resize(1);
    if (!encrypted.empty()) {
        const ChromiumSession::Decrypt decrypt = CSessionKey::ForUserData(p.userData);
        std::vector<SessionWindow> windows;
        bool locked = false;
        for (const auto& [time, path] : encrypted) {
            const std::string bytes = ReadSession(path);
            const ChromiumSession::File read = ChromiumSession::Windows(bytes, &windows, decrypt);
            if (read == ChromiumSession::File::kReadable) {
                last->windows = std::move(windows);
                last->kind = Kind::kRead;
                return;
            }
            locked = locked || read == ChromiumSession::File::kEncrypted;
        }
        if (locked) {
            last->windows.clear();
            last->kind = clearTime >= 0 ? Kind::kOutOfDate : Kind::kEncrypted;
            return;
        }
    }
    if (last->kind != Kind::kRead && seen)
        last->kind = Kind::kUnreadable;
}

void ReadFirefox(const BrowserProfile& p, LastSession* last, bool* crashed)
{
    const std::wstring folder = p.Folder();
    std::vector<std::wstring> upgrades;
    for (const FileSystem::Entry& entry : FileSystem::List(folder + L"\\sessionstore-backups", L"upgrade.jsonlz4-*", 100))
        if (!entry.isFolder)
            upgrades.push_back(entry.name);
    bool seen = false;
    for (const std::wstring& file : FirefoxSession::FilesInOrder(upgrades, last->open)) {
        const std::string bytes = ReadSession(folder + L"\\" + file);
        seen = seen || !bytes.empty();
        if (!bytes.empty() && FirefoxSession::Windows(bytes, &last->windows)) {
            last->kind = Kind::kRead;
            // Written at a clean exit only; a run that ended otherwise left the recovery files.
            *crashed = file != L"sessionstore.jsonlz4";
            return;
        }
    }
    last->kind = seen ? Kind::kUnreadable : Kind::kNone;
}
}

std::wstring CLastSession::CurrentFile(const BrowserProfile& p)
{
    if (p.browser->family == BrowserFamily::Firefox)
        return p.Folder() + L"\\" + FirefoxSession::FilesInOrder({}, true).front();
    return ClearFiles(p.Folder()).front().second;
}

LastSession CLastSession::Read(const BrowserProfile& p)
{
    LastSession last;
    last.open = CProfileLock::IsHeld(p);
    const std::wstring folder = p.Folder();
    const auto read = [&](const wchar_t* name) {
        return FileSystem::ReadShared(folder + L"\\" + name, BrowserRestorePrefs::kLargestFile);
    };
    if (p.browser->family == BrowserFamily::Firefox) {
        bool crashed = false;
        ReadFirefox(p, &last, &crashed);
        if (last.kind == Kind::kRead && !last.open)
            last.restoresItself = BrowserRestorePrefs::FirefoxRestores(read(L"prefs.js"), read(L"user.js"), crashed);
    } else {
        ReadChromium(p, &last);
        if (last.kind == Kind::kRead && !last.open)
            last.restoresItself = BrowserRestorePrefs::ChromiumRestores(read(L"Preferences"));
    }
    SessionWindows::Keep(&last.windows);
    return last;
}
