// The addresses of all open browser (and shell) windows, from the shell's window collection.
#pragma once
#include "EntrySet.h"

// Adds one untimed entry per address. Returns with what it gathered when the collection
// cannot be had or fails part way; a window whose address cannot be read is skipped.
void CollectOpenBrowserUrls(EntrySet& urls);
