// Where the addresses of the open browser windows come from.
#pragma once
#include "EntrySet.h"

class OpenWindowSource {
public:
    virtual ~OpenWindowSource() = default;
    // Adds one untimed entry per address; returns with what it gathered on any failure.
    virtual void CollectAddresses(EntrySet& urls) = 0;
};
