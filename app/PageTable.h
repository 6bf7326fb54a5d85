// The rows of the list of recent pages as the list dialog shows them, apart from the control:
// their texts, check marks, the order of a column (a second time: reversed) and the filter that
// narrows them. A check stays with its row whatever the order or the filter shows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class PageTable {
public:
    enum Column { kTitle, kAddress, kSource, kTime, kOpen, kColumns };
    struct Row {
        std::wstring title;    // as shown: cleaned, or the address for a page without one
        std::wstring address;  // as shown
        std::wstring source;   // the browser and its profile
        std::wstring time;     // local time, as text
        int64_t timeUs = 0;
        bool openNow = false;
        bool checked = false;
    };

    // The rows newest first, as the command lists them; shown in that order, unfiltered.
    void SetRows(std::vector<Row> rows);
    size_t Size() const { return m_rows.size(); }
    const Row& At(size_t row) const { return m_rows[row]; }

    // Orders by the column: ascending the first time, reversed when it is the column already.
    // Rows that compare equal keep their order by time, newest first.
    void SortBy(Column column);
    Column SortColumn() const { return m_column; }
    bool Ascending() const { return m_ascending; }

    // Shows only the rows whose title or address holds `text` (Latin letters in either case;
    // anything else as typed); an empty text shows all.
    void SetFilter(const std::wstring& text);
    // The rows shown, in their order (indexes of At()).
    const std::vector<size_t>& Shown() const { return m_shown; }

    void SetChecked(size_t row, bool checked) { m_rows[row].checked = checked; }
    // Checks or clears every row shown.
    void CheckShown(bool checked);
    size_t CheckedCount() const;
    // The checked rows, oldest visit first: the order they open in.
    std::vector<size_t> CheckedOldestFirst() const;
    // The checked rows in the order shown, each "title<TAB>address" and a line break.
    std::wstring CopyText() const;

    // `text` with Latin capitals (ASCII, Latin-1, full-width) in lower case.
    static std::wstring Folded(std::wstring text);

private:
    void Arrange();

    std::vector<Row> m_rows;
    std::vector<size_t> m_order;  // every row, in the column's order
    std::vector<size_t> m_shown;  // those of m_order that the filter lets through
    Column m_column = kTime;
    bool m_ascending = false;
    std::wstring m_filter;        // folded
};
