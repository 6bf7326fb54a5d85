// A file another program owns and may be writing, opened only to read: every kind of sharing
// granted (the owner may go on writing, truncating, renaming or deleting it), nothing locked,
// nothing created. On Windows through CreateFileW with GENERIC_READ; elsewhere through open(2)
// with O_RDONLY, for the native tests.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class SharedReadFile {
public:
    // Null when the file is missing or cannot be read (or is a folder).
    static std::unique_ptr<SharedReadFile> Open(const std::string& utf8Path);
    ~SharedReadFile();
    SharedReadFile(const SharedReadFile&) = delete;
    SharedReadFile& operator=(const SharedReadFile&) = delete;

    // Reads up to `n` bytes at `offset`; the number read (less at the end of the file), or -1.
    int64_t ReadAt(int64_t offset, void* buffer, size_t n);
    // The file's size now, or -1.
    int64_t Size();

    // Whether a file (not a folder) is at the path.
    static bool Exists(const std::string& utf8Path);

private:
    explicit SharedReadFile(intptr_t handle) : m_handle(handle) {}
    intptr_t m_handle;
};
