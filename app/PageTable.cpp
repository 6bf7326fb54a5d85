#include "PageTable.h"
#include <algorithm>

std::wstring PageTable::Folded(std::wstring text)
{
    for (wchar_t& c : text) {
        if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            c = static_cast<wchar_t>(c + 0x20);
        else if (c >= 0xFF21 && c <= 0xFF3A)  // Ａ-Ｚ
            c = static_cast<wchar_t>(c + 0x20);
    }
    return text;
}

void PageTable::SetRows(std::vector<Row> rows)
{
    m_rows = std::move(rows);
    m_column = kTime;
    m_ascending = false;
    Arrange();
}

void PageTable::SortBy(Column column)
{
    m_ascending = column == m_column ? !m_ascending : true;
    m_column = column;
    Arrange();
}

void PageTable::SetFilter(const std::wstring& text)
{
    m_filter = Folded(text);
    Arrange();
}

void PageTable::Arrange()
{
    m_order.resize(m_rows.size());
    for (size_t i = 0; i < m_order.size(); ++i)
        m_order[i] = i;
    // Texts compare with Latin letters folded; equal rows stay newest first (the rows' order).
    auto key = [this](size_t i) -> std::wstring {
        const Row& r = m_rows[i];
        switch (m_column) {
        case kTitle: return Folded(r.title);
        case kAddress: return Folded(r.address);
        case kSource: return Folded(r.source);
        default: return std::wstring();
        }
    };
    auto less = [&](size_t a, size_t b) {
        const Row& x = m_rows[a];
        const Row& y = m_rows[b];
        if (m_column == kTime)
            return x.timeUs < y.timeUs;
        if (m_column == kOpen)
            return x.openNow < y.openNow;
        return key(a) < key(b);
    };
    std::stable_sort(m_order.begin(), m_order.end(),
                     [&](size_t a, size_t b) { return m_ascending ? less(a, b) : less(b, a); });
    m_shown.clear();
    for (size_t i : m_order) {
        const Row& r = m_rows[i];
        if (m_filter.empty() || Folded(r.title).find(m_filter) != std::wstring::npos ||
            Folded(r.address).find(m_filter) != std::wstring::npos)
            m_shown.push_back(i);
    }
}

void PageTable::CheckShown(bool checked)
{
    for (size_t i : m_shown)
        m_rows[i].checked = checked;
}

size_t PageTable::CheckedCount() const
{
    return static_cast<size_t>(std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.checked; }));
}

std::vector<size_t> PageTable::CheckedOldestFirst() const
{
    std::vector<size_t> checked;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].checked)
            checked.push_back(i);
    std::stable_sort(checked.begin(), checked.end(),
                     [this](size_t a, size_t b) { return m_rows[a].timeUs < m_rows[b].timeUs; });
    return checked;
}

std::wstring PageTable::CopyText() const
{
    std::wstring text;
    for (size_t i : m_order)
        if (m_rows[i].checked)
            text += m_rows[i].title + L"\t" + m_rows[i].address + L"\r\n";
    return text;
}
