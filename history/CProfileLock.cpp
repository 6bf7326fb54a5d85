#include "CProfileLock.h"
#include "../framework/FileSystem.h"

std::wstring CProfileLock::FileOf(const BrowserProfile& profile)
{
    if (profile.browser->family == BrowserFamily::Firefox)
        return profile.profile + L"\\parent.lock";
    return profile.userData + L"\\lockfile";
}

bool CProfileLock::IsHeld(const BrowserProfile& profile)
{
    // Chromium shares its lock file for reading, so only an open for writing meets its hold.
    const FileSystem::Access access =
        profile.browser->family == BrowserFamily::Firefox ? FileSystem::Access::Read : FileSystem::Access::Write;
    return FileSystem::IsHeldAgainst(FileOf(profile), access);
}
