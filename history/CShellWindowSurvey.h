// The open browser windows of the platform, for the scan.
#pragma once
#include "OpenWindowSource.h"

class CShellWindowSurvey : public OpenWindowSource {
public:
    void CollectAddresses(EntrySet& urls) override;
};
