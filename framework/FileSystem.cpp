#include "FileSystem.h"
#include <windows.h>
#include <vector>

bool FileSystem::IsFile(const std::wstring& path)
{
    DWORD a = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FileSystem::Expand(const std::wstring& text)
{
    DWORD n = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (n == 0 || n > 32768)
        return std::wstring();
    std::vector<wchar_t> buf(n);
    ExpandEnvironmentStringsW(text.c_str(), buf.data(), n);
    return std::wstring(buf.data());
}

std::string FileSystem::ReadShared(const std::wstring& path, size_t most)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(f, &size) && size.QuadPart > 0 && static_cast<unsigned long long>(size.QuadPart) <= most) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        if (!ReadFile(f, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr))
            got = 0;
        bytes.resize(got);
    }
    CloseHandle(f);
    return bytes;
}

bool FileSystem::IsHeldAgainst(const std::wstring& path, Access access)
{
    if (path.empty())
        return false;
    // Data access, not GENERIC_*: only reading or writing the data meets a holder's share mode.
    const DWORD wanted = access == Access::Read ? FILE_READ_DATA : FILE_WRITE_DATA;
    HANDLE f = CreateFileW(path.c_str(), wanted, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        CloseHandle(f);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}
