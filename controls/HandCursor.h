// The hand cursor that links show: resource 106 of the system's help viewer, or the
// system's own hand cursor where the help viewer or its cursor is missing.
#pragma once
#include <windows.h>

class HandCursor {
public:
    // A copy owned by the caller (DestroyCursor), or null when no hand cursor exists.
    static HCURSOR LoadCopy();
};
