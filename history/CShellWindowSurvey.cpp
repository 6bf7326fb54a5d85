#include "CShellWindowSurvey.h"
#include "CollectOpenBrowserUrls.h"

void CShellWindowSurvey::CollectAddresses(EntrySet& urls) { CollectOpenBrowserUrls(urls); }
