// The language the program's own dialogs and texts are loaded in: chosen once at start, before
// the first window, and asked for each template and string (FindResourceExW). The system's own
// choice is not used: it follows the thread's UI language, which Wine does not let a program
// set, so the same settings would give different windows on Windows and under Wine.
#pragma once
#include <windows.h>
#include <string>

class ResourceLanguage {
public:
    // 0: none chosen (the system's search order).
    static void Set(LANGID language);
    static LANGID Get();

    // The resource in the chosen language; when the module has it in no such language, in the
    // one the system finds.
    static HRSRC Find(HINSTANCE module, LPCWSTR type, LPCWSTR name);
    // A string of the string table (block id / 16 + 1, sixteen counted UTF-16 strings) in the
    // chosen language; empty when there is none.
    static std::wstring String(HINSTANCE module, UINT id);
};
