// The numbers of the version block, in one place.
#pragma once
#define BT_VERSION_BINARY  1,0,1,1
#define BT_VERSION_TEXT    "1, 0, 1, 1"
