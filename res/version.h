// The program's version, in one place: the version block uses it, and the build makes the
// manifest's assemblyIdentity version from BT_VERSION_BINARY.
#pragma once
#define BT_VERSION_BINARY  1,0,1,1
#define BT_VERSION_TEXT    "1, 0, 1, 1"
