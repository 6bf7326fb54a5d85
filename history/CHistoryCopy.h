// A private copy of a browser's history file, with its side file (the rollback journal or the
// write-ahead log) when there is one, in a folder of its own under the user's temporary folder.
// The browser's files are read through a handle that shares everything and locks nothing; they
// are never opened for writing. The copies go with the object, on every path.
#pragma once
#include "PrivateCopy.h"
#include <string>

class CHistoryCopy : public PrivateCopy {
public:
    // `sideSuffix`: "-journal" (Chromium) or "-wal" (Firefox).
    CHistoryCopy(const std::wstring& file, const char* sideSuffix);
    ~CHistoryCopy() override;
    CHistoryCopy(const CHistoryCopy&) = delete;
    CHistoryCopy& operator=(const CHistoryCopy&) = delete;

    // True when the history file itself was copied whole.
    bool IsReady() const override { return m_bReady; }
    // The copy of the history file, for SQLite (UTF-8).
    std::string Utf8Path() const override;

    // Makes copies for the readers.
    static std::unique_ptr<PrivateCopy> Make(const std::string& utf8File, const char* sideSuffix);

    // Removes the copy folders that runs of the program left behind: those named for a process
    // that is no longer running (a copy started with /reopen may run beside the one with the
    // dialog); a folder of any other name is left alone.
    static void RemoveLeftovers();
    // The folders' common name: "Backtracker-<process id>-<n>" under the temporary folder.
    static std::wstring FolderPrefix();

private:
    static bool CopyShared(const std::wstring& from, const std::wstring& to);
    static void RemoveFolder(const std::wstring& folder);

    std::wstring m_strFolder;
    std::wstring m_strCopy;
    bool m_bReady = false;
};
