// The few questions the program asks of the file system, in one place: whether a file is
// there, a path with its environment variables expanded, a whole file read without
// disturbing whoever writes it, and whether another program holds a file.
#pragma once
#include <cstddef>
#include <string>

class FileSystem {
public:
    // A file (not a folder) at the path.
    static bool IsFile(const std::wstring& path);
    // %NAME% replaced by the environment's values; empty when the result would be absurdly long.
    static std::wstring Expand(const std::wstring& text);
    // The file's bytes, read through a handle that shares everything and locks nothing; empty
    // when it is missing, empty or larger than `most`.
    static std::string ReadShared(const std::wstring& path, size_t most);

    // What a holder of a file refuses to share.
    enum class Access { Read, Write };
    // Whether another handle holds the file so that it cannot be opened for `access`: the open,
    // sharing everything, fails with a sharing violation. The file is opened and closed at once,
    // never created and never written; a missing file, or one that opens, is not held.
    static bool IsHeldAgainst(const std::wstring& path, Access access);
};
