// One copy of Backtracker.exe in a folder of its own, started and watched by a test.
#pragma once
#include <windows.h>
#include <string>

class AppDriver {
public:
    // Copies the built program (and its readmes) into a fresh folder named after the test.
    explicit AppDriver(const std::wstring& name, const std::wstring& exeName = L"Backtracker.exe");
    ~AppDriver();
    AppDriver(const AppDriver&) = delete;
    AppDriver& operator=(const AppDriver&) = delete;

    static std::wstring DistDir();

    const std::wstring& Dir() const { return m_dir; }
    std::wstring ExePath() const { return m_dir + L"\\" + m_exeName; }
    std::wstring IniPath() const;

    void WriteIni(const std::string& bytes) const;
    bool IniExists() const;
    std::string ReadIni() const;

    // Starts it with `arguments` after its name, in its folder.
    bool Start(const std::wstring& arguments = std::wstring());
    DWORD Pid() const { return m_pi.dwProcessId; }
    // The main dialog once it shows, or null.
    HWND WaitMainDialog(DWORD timeoutMs = 20000);
    bool Running() const;
    // The exit code, or STILL_ACTIVE when the program has not ended in time.
    DWORD WaitExit(DWORD timeoutMs = 15000);
    void Kill();

private:
    std::wstring m_dir;
    std::wstring m_exeName;
    PROCESS_INFORMATION m_pi = {};
};

// The settings a fresh program writes on a plain Close: the seven keys with their defaults.
extern const char kDefaultIni[];
