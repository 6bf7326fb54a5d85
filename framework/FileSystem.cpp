#include "FileSystem.h"
#include <algorithm>
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

bool FileSystem::ReadStart(const std::wstring& path, size_t most, std::string* bytes)
{
    bytes->clear();
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    LARGE_INTEGER size = {};
    bool read = GetFileSizeEx(f, &size) != FALSE;
    if (read && size.QuadPart > 0) {
        bytes->resize(static_cast<unsigned long long>(size.QuadPart) < most ? static_cast<size_t>(size.QuadPart) : most);
        DWORD got = 0;
        read = ReadFile(f, &(*bytes)[0], static_cast<DWORD>(bytes->size()), &got, nullptr) != FALSE;
        bytes->resize(read ? got : 0);
    }
    CloseHandle(f);
    return read;
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

std::vector<FileSystem::Entry> FileSystem::List(const std::wstring& folder, const wchar_t* pattern, size_t most)
{
    std::vector<Entry> entries;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((folder + L"\\" + pattern).c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::wstring name = fd.cFileName;
        if (name != L"." && name != L"..")
            entries.push_back({ name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 });
    } while (entries.size() < most && FindNextFileW(find, &fd));
    FindClose(find);
    return entries;
}

std::wstring FileSystem::FileName(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring FileSystem::FolderOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool FileSystem::WriteWhole(const std::wstring& path, const std::string& bytes, unsigned long* error)
{
    const std::wstring temporary = path + L".~" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    HANDLE f = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = f != INVALID_HANDLE_VALUE;
    for (size_t at = 0; written && at < bytes.size();) {
        DWORD done = 0;
        const DWORD part = static_cast<DWORD>(std::min<size_t>(bytes.size() - at, 1u << 20));
        written = WriteFile(f, bytes.data() + at, part, &done, nullptr) && done == part;
        at += done;
    }
    written = written && FlushFileBuffers(f);
    DWORD why = written ? ERROR_SUCCESS : GetLastError();
    if (f != INVALID_HANDLE_VALUE)
        CloseHandle(f);
    if (written && !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        written = false;
        why = GetLastError();
    }
    if (!written)
        DeleteFileW(temporary.c_str());
    if (error)
        *error = why;
    return written;
}
