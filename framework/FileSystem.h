// The few questions the program asks of the file system, in one place: whether a file is
// there, what a folder holds, the parts of a path, a path with its environment variables
// expanded, a whole file read without disturbing whoever writes it, and whether another
// program holds a file.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

class FileSystem {
public:
    // A file (not a folder) at the path.
    static bool IsFile(const std::wstring& path);
    struct Entry {
        std::wstring name;
        bool isFolder = false;
    };
    // What `folder` holds under names that match `pattern` ("*", "Session_*"), without "." and
    // "..", at most `most` of them, in the order the file system gives.
    static std::vector<Entry> List(const std::wstring& folder, const wchar_t* pattern = L"*", size_t most = 100000);
    // The last part of a path, after its last "\" or "/".
    static std::wstring FileName(const std::wstring& path);
    // Everything before the last "\" or "/"; empty when there is none.
    static std::wstring FolderOf(const std::wstring& path);
    // %NAME% replaced by the environment's values; empty when the result would be absurdly long.
    static std::wstring Expand(const std::wstring& text);
    // The file's bytes, read through a handle that shares everything and locks nothing; empty
    // when it is missing, empty or larger than `most`.
    static std::string ReadShared(const std::wstring& path, size_t most);
    // The first `most` bytes of the file (all of a smaller one), read as ReadShared reads; false
    // when it is there but cannot be opened or read (a missing file is empty and true).
    static bool ReadStart(const std::wstring& path, size_t most, std::string* bytes);

    // Writes `bytes` as the whole file at `path`: first under a name of its own beside it, then
    // renamed over it, so that a failure (a full disk, a file held open) leaves the file as it
    // was and no half file behind. False, with the system's error in `error`, when it fails.
    static bool WriteWhole(const std::wstring& path, const std::string& bytes, unsigned long* error = nullptr);

    // What a holder of a file refuses to share.
    enum class Access { Read, Write };
    // Whether another handle holds the file so that it cannot be opened for `access`: the open,
    // sharing everything, fails with a sharing violation. The file is opened and closed at once,
    // never created and never written; a missing file, or one that opens, is not held.
    static bool IsHeldAgainst(const std::wstring& path, Access access);
};
