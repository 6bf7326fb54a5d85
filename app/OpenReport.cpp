#include "OpenReport.h"
#include "../framework/AfxMessageBox.h"
#include "../res/resource.h"
#include "../framework/NumberText.h"
#include "../text/AnsiText.h"
#include "../text/TitleText.h"
#include "../text/Utf8Text.h"
#include <algorithm>

std::wstring OpenReport::NothingFound(const ReopenCommand::Nothing& why)
{
    if (why.noSource)
        return AfxLoadString(IDS_NOTHING_NO_SOURCE);
    if (why.withoutProgram.empty())
        return AfxLoadString(IDS_NO_URL_FOUND);
    std::wstring names;
    for (const BrowserDescriptor* browser : why.withoutProgram)
        names += (names.empty() ? std::wstring() : AfxLoadString(IDS_UNREAD_SEPARATOR)) + browser->displayName;
    return AfxLoadString(IDS_NOTHING_NO_PROGRAM) + names;
}

std::wstring OpenReport::ErrorText(uint32_t error, const std::wstring& program)
{
    if (error == PageOpening::kNoErrorCode)
        return AfxLoadString(IDS_OPEN_BROWSER_WINDOW_FAILED);
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring said = text ? text : L"";
    if (text)
        LocalFree(text);
    while (!said.empty() && (said.back() == L'\n' || said.back() == L'\r' || said.back() == L' '))
        said.pop_back();
    const std::wstring name = program.substr(program.find_last_of(L'\\') + 1);
    for (size_t at; (at = said.find(L"%1")) != std::wstring::npos;)
        said.replace(at, 2, name);
    return NumberText::FillIn(AfxLoadString(IDS_OPEN_ERROR_CODE), { static_cast<long long>(error) }) + said;
}

std::wstring OpenReport::Failures(const std::vector<PageCandidate>& pages, const std::vector<OpenOutcome>& outcomes,
                                  const std::vector<uint32_t>& errors)
{
    size_t failed = 0;
    bool ofABrowser = false;
    for (size_t i = 0; i < pages.size() && i < outcomes.size(); ++i) {
        if (outcomes[i] != OpenOutcome::Opened) {
            ++failed;
            ofABrowser = ofABrowser || pages[i].browser;
        }
    }
    if (!ofABrowser)
        return std::wstring();
    std::wstring text = failed == pages.size()
        ? NumberText::FillIn(AfxLoadString(IDS_OPEN_NONE_OPENED), { static_cast<long long>(pages.size()) })
        : NumberText::FillIn(AfxLoadString(IDS_OPEN_SOME_FAILED),
                             { static_cast<long long>(pages.size()), static_cast<long long>(failed) });
    size_t named = 0;
    for (size_t i = 0; i < pages.size() && i < outcomes.size(); ++i) {
        if (outcomes[i] == OpenOutcome::Opened)
            continue;
        if (named++ == kMostNamed) {
            text += L"\n" + NumberText::FillIn(AfxLoadString(IDS_OPEN_MORE_FAILED),
                                               { static_cast<long long>(failed - kMostNamed) });
            break;
        }
        const PageCandidate& page = pages[i];
        std::wstring address = TitleText::Address(page.browser ? Utf8Text::ToWide(page.url) : AnsiText::ToWide(page.url));
        if (address.size() > 120)
            address = address.substr(0, 119) + L"…";
        const std::wstring source = page.browser
            ? std::wstring(page.browser->displayName) + L" / " + TitleText::Clean(page.profileName)
            : AfxLoadString(IDS_LIST_URL_CACHE);
        const uint32_t error = i < errors.size() ? errors[i] : PageOpening::kNoErrorCode;
        std::wstring why;
        if (outcomes[i] == OpenOutcome::Refused)
            why = AfxLoadString(IDS_OPEN_REFUSED);
        else if (page.browser && page.program.empty())
            why = AfxLoadString(IDS_LIST_NO_PROGRAM);
        else
            why = (page.browser ? page.program + L": " : std::wstring()) + ErrorText(error, page.program);
        text += L"\n\n" + address + L"\n" + source + L"\n" + why;
    }
    return text;
}
