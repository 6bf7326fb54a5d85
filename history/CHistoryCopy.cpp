#include "CHistoryCopy.h"
#include <cwchar>
#include "../framework/FileSystem.h"
#include "../text/Utf8Text.h"
#include <windows.h>
#include <vector>

namespace {
std::wstring TempFolder()
{
    wchar_t buf[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH + 1, buf);
    return n && n <= MAX_PATH ? std::wstring(buf, n) : std::wstring();
}
}

std::wstring CHistoryCopy::FolderPrefix() { return L"Backtracker-"; }

std::unique_ptr<PrivateCopy> CHistoryCopy::Make(const std::string& utf8File, const char* sideSuffix)
{
    return std::unique_ptr<PrivateCopy>(new CHistoryCopy(Utf8Text::ToWide(utf8File), sideSuffix));
}

CHistoryCopy::CHistoryCopy(const std::wstring& file, const char* sideSuffix)
{
    std::wstring temp = TempFolder();
    if (temp.empty())
        return;
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100 && m_strFolder.empty(); ++attempt) {
        std::wstring folder = temp + FolderPrefix() + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
        if (CreateDirectoryW(folder.c_str(), nullptr))
            m_strFolder = folder;
    }
    if (m_strFolder.empty())
        return;
    m_strCopy = m_strFolder + L"\\" + FileSystem::FileName(file);
    if (!CopyShared(file, m_strCopy))
        return;
    // The side file belongs to the same moment; without it the copy may miss its newest rows,
    // but it is still a consistent file.
    const std::wstring suffix = Utf8Text::ToWide(sideSuffix);
    std::wstring side = file + suffix;
    if (GetFileAttributesW(side.c_str()) != INVALID_FILE_ATTRIBUTES)
        CopyShared(side, m_strCopy + suffix);
    m_bReady = true;
}

CHistoryCopy::~CHistoryCopy()
{
    if (!m_strFolder.empty())
        RemoveFolder(m_strFolder);
}

std::string CHistoryCopy::Utf8Path() const { return Utf8Text::FromWide(m_strCopy); }

bool CHistoryCopy::CopyShared(const std::wstring& from, const std::wstring& to)
{
    HANDLE in = CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (in == INVALID_HANDLE_VALUE)
        return false;
    HANDLE out = CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    bool ok = out != INVALID_HANDLE_VALUE;
    std::vector<char> buffer(1 << 20);
    while (ok) {
        DWORD got = 0;
        if (!ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0)
            break;
        DWORD written = 0;
        ok = WriteFile(out, buffer.data(), got, &written, nullptr) && written == got;
    }
    if (out != INVALID_HANDLE_VALUE)
        CloseHandle(out);
    CloseHandle(in);
    return ok;
}

void CHistoryCopy::RemoveFolder(const std::wstring& folder)
{
    for (const FileSystem::Entry& entry : FileSystem::List(folder)) {
        std::wstring path = folder + L"\\" + entry.name;
        if (entry.isFolder)
            RemoveFolder(path);
        else
            DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

void CHistoryCopy::RemoveLeftovers()
{
    std::wstring temp = TempFolder();
    if (temp.empty())
        return;
    const std::wstring own = FolderPrefix() + std::to_wstring(GetCurrentProcessId()) + L"-";
    // Only folders named as this program names them: "Backtracker-<digits>-<digits>".
    auto ours = [](const std::wstring& name) {
        size_t at = FolderPrefix().size();
        for (int part = 0; part < 2; ++part) {
            size_t start = at;
            while (at < name.size() && name[at] >= L'0' && name[at] <= L'9')
                ++at;
            if (at == start || (part == 0 && (at >= name.size() || name[at++] != L'-')))
                return false;
        }
        return at == name.size();
    };
    // A copy of the program that runs now (a start with /reopen beside the dialog) is reading
    // from its folders still.
    auto running = [](const std::wstring& name) {
        const DWORD pid = static_cast<DWORD>(std::wcstoul(name.c_str() + FolderPrefix().size(), nullptr, 10));
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        if (!process)
            return false;
        DWORD code = 0;
        const bool runs = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
        CloseHandle(process);
        return runs;
    };
    std::vector<std::wstring> leftovers;
    for (const FileSystem::Entry& entry : FileSystem::List(FileSystem::FolderOf(temp), (FolderPrefix() + L"*").c_str())) {
        if (entry.isFolder && ours(entry.name) && entry.name.compare(0, own.size(), own) != 0 && !running(entry.name))
            leftovers.push_back(temp + entry.name);
    }
    for (const std::wstring& folder : leftovers)
        RemoveFolder(folder);
}
