#include "PageTable.h"
#include <algorithm>

namespace {
// Half-width katakana U+FF66-U+FF9D as full-width, in their order (voicing marks apart).
const wchar_t kHalfWidthKana[] = L"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";
}

std::wstring PageTable::Folded(std::wstring text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c >= 0xFF01 && c <= 0xFF5E)  // full-width ASCII
            c = static_cast<wchar_t>(c - 0xFF01 + 0x21);
        else if (c == 0x3000)
            c = L' ';
        else if (c >= 0xFF66 && c <= 0xFF9D)
            c = kHalfWidthKana[c - 0xFF66];
        else if (c == 0xFF9E || c == 0xFF9F)  // the voicing marks join the kana before them
            c = c == 0xFF9E ? 0x309B : 0x309C;
        if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            c = static_cast<wchar_t>(c + 0x20);
        else if (c >= 0x30A1 && c <= 0x30F6)  // katakana as hiragana
            c = static_cast<wchar_t>(c - 0x60);
        out += c;
    }
    return out;
}

PageTable::TextRules PageTable::FoldedRules()
{
    TextRules rules;
    rules.holds = [](const std::wstring& text, const std::wstring& part) {
        return Folded(text).find(Folded(part)) != std::wstring::npos;
    };
    rules.compare = [](const std::wstring& a, const std::wstring& b) { return Folded(a).compare(Folded(b)); };
    return rules;
}

PageTable::PageTable() : m_rules(FoldedRules()) {}

void PageTable::SetRows(std::vector<Row> rows)
{
    m_rows = std::move(rows);
    m_column = kTime;
    // Recent pages newest first; a window's tabs in their order.
    m_ascending = !m_rows.empty() && m_rows.front().window != kNoWindow;
    Arrange();
}

void PageTable::SortBy(Column column)
{
    m_ascending = column == m_column ? !m_ascending : true;
    m_column = column;
    Arrange();
}

void PageTable::SetFilter(const std::wstring& text, int64_t fromUs)
{
    m_filter = text;
    m_fromUs = fromUs;
    m_words.clear();
    std::wstring word;
    for (wchar_t c : text + L" ") {
        if (c == L' ' || c == L'\t' || c == 0x3000) {
            if (!word.empty())
                m_words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    Arrange();
}

bool PageTable::Passes(const Row& r) const
{
    if (r.timeUs < m_fromUs)
        return false;
    for (const std::wstring& w : m_words)
        if (!m_rules.holds(r.title, w) && !m_rules.holds(r.address, w) && !m_rules.holds(r.source, w))
            return false;
    return true;
}

void PageTable::Arrange()
{
    m_order.resize(m_rows.size());
    for (size_t i = 0; i < m_order.size(); ++i)
        m_order[i] = i;
    // Equal rows stay newest first (the rows' order).
    auto text = [this](size_t i) -> const std::wstring& {
        const Row& r = m_rows[i];
        return m_column == kTitle ? r.title : m_column == kAddress ? r.address : r.source;
    };
    auto less = [&](size_t a, size_t b) {
        const Row& x = m_rows[a];
        const Row& y = m_rows[b];
        if (m_column == kTime && x.window != kNoWindow)
            return x.pinned != y.pinned ? x.pinned : x.timeUs < y.timeUs;
        if (m_column == kTime)
            return x.timeUs < y.timeUs;
        if (m_column == kOpen)
            return x.openNow < y.openNow;
        return m_rules.compare(text(a), text(b)) < 0;
    };
    // A window's tabs stay together, the windows in their order whichever way the column runs.
    std::stable_sort(m_order.begin(), m_order.end(), [&](size_t a, size_t b) {
        if (m_rows[a].window != m_rows[b].window)
            return m_rows[a].window < m_rows[b].window;
        return m_ascending ? less(a, b) : less(b, a);
    });
    m_shown.clear();
    for (size_t i : m_order)
        if (Passes(m_rows[i]))
            m_shown.push_back(i);
}

void PageTable::CheckShown(bool checked)
{
    for (size_t i : m_shown)
        m_rows[i].checked = checked && m_rows[i].openable && !m_rows[i].openNow && !m_rows[i].restoresItself;
}

size_t PageTable::CheckedCount() const
{
    return static_cast<size_t>(std::count_if(m_shown.begin(), m_shown.end(), [this](size_t i) { return m_rows[i].checked; }));
}

std::vector<size_t> PageTable::CheckedOldestFirst() const
{
    std::vector<size_t> checked;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].checked && Passes(m_rows[i]))
            checked.push_back(i);
    return OldestFirst(std::move(checked));
}

std::vector<std::vector<size_t>> PageTable::CheckedByWindow() const
{
    std::vector<size_t> checked;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].checked && Passes(m_rows[i]))
            checked.push_back(i);
    return ByWindow(std::move(checked));
}

std::vector<std::vector<size_t>> PageTable::ByWindow(std::vector<size_t> checked) const
{
    std::stable_sort(checked.begin(), checked.end(), [this](size_t a, size_t b) {
        const Row& x = m_rows[a];
        const Row& y = m_rows[b];
        return x.window != y.window ? x.window < y.window : x.timeUs < y.timeUs;
    });
    std::vector<std::vector<size_t>> windows;
    for (size_t i : checked) {
        if (windows.empty() || m_rows[windows.back().front()].window != m_rows[i].window)
            windows.emplace_back();
        windows.back().push_back(i);
    }
    return windows;
}

std::vector<size_t> PageTable::OldestFirst(std::vector<size_t> rows) const
{
    std::stable_sort(rows.begin(), rows.end(), [this](size_t a, size_t b) { return m_rows[a].timeUs < m_rows[b].timeUs; });
    return rows;
}

std::wstring PageTable::CopyText() const
{
    std::vector<size_t> rows;
    for (size_t i : m_shown)
        if (m_rows[i].checked)
            rows.push_back(i);
    return CopyText(rows);
}

std::wstring PageTable::CopyText(const std::vector<size_t>& rows) const
{
    std::wstring text;
    for (size_t i : rows)
        text += m_rows[i].copiedTitle + L"\t" + m_rows[i].address + L"\r\n";
    return text;
}
