// The rows of the list of recent pages as the list dialog shows them, apart from the control:
// their texts, check marks, the order of a column (a second time: reversed) and the filter that
// narrows them. A check stays with its row whatever the order or the filter shows; what is done
// with the checked rows (open, copy, count) is done with those shown. In the view of the last
// windows each row is a tab of a window: rows stay with their window, windows in their order,
// and a column orders the tabs within each window (its time column: pinned tabs first, then
// the tabs' order).
#pragma once
#include <cstdint>
#include <functional>
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
        bool openable = true;  // its browser's program is there
        std::wstring copiedTitle;  // the whole title as copied; empty for a page without one
        // The view of the last windows: the tab's window (kNoWindow: a page of the recent
        // view), its pin, and a window that its browser restores by itself (never checked with
        // the others). The tab's place in its window is `timeUs`.
        size_t window = kNoWindow;
        bool pinned = false;
        bool restoresItself = false;
    };
    static constexpr size_t kNoWindow = static_cast<size_t>(-1);
    // How texts are matched and ordered: Windows' own rules in the dialog (the user's locale),
    // these rules' platform-free fold elsewhere.
    struct TextRules {
        // Whether `text` holds `part` (both as typed).
        std::function<bool(const std::wstring& text, const std::wstring& part)> holds;
        // <0, 0, >0 as `a` sorts before, with or after `b`.
        std::function<int(const std::wstring& a, const std::wstring& b)> compare;
    };

    PageTable();
    explicit PageTable(TextRules rules) : m_rules(std::move(rules)) {}

    // The rows newest first, as the command lists them; shown in that order, unfiltered.
    void SetRows(std::vector<Row> rows);
    size_t Size() const { return m_rows.size(); }
    const Row& At(size_t row) const { return m_rows[row]; }

    // Orders by the column: ascending the first time, reversed when it is the column already.
    // Rows that compare equal keep their order by time, newest first.
    void SortBy(Column column);
    Column SortColumn() const { return m_column; }
    bool Ascending() const { return m_ascending; }

    // Shows only the rows whose title, address or browser and profile holds each word of
    // `text` (split at blanks, the ideographic space too; no word: all), and seen at or after
    // `fromUs` (0: any time).
    void SetFilter(const std::wstring& text, int64_t fromUs = 0);
    const std::wstring& Filter() const { return m_filter; }
    // The rows shown, in their order (indexes of At()).
    const std::vector<size_t>& Shown() const { return m_shown; }

    void SetChecked(size_t row, bool checked) { m_rows[row].checked = checked; }
    // Checks every row shown that can be opened and is not open now, or clears every row shown.
    void CheckShown(bool checked);
    // The checked rows shown.
    size_t CheckedCount() const;
    // The checked rows shown, oldest visit first: the order they open in.
    std::vector<size_t> CheckedOldestFirst() const;
    // The checked rows shown, window by window in the windows' order, each window's in the
    // tabs' order (the view of the last windows).
    std::vector<std::vector<size_t>> CheckedByWindow() const;
    // The rows given, the same way.
    std::vector<std::vector<size_t>> ByWindow(std::vector<size_t> rows) const;
    // The rows given, oldest visit first.
    std::vector<size_t> OldestFirst(std::vector<size_t> rows) const;
    // The checked rows shown, in the order shown, as CopyText gives them.
    std::wstring CopyText() const;
    // The rows, each "title<TAB>address" and a line break (the whole title; none for a page
    // without one).
    std::wstring CopyText(const std::vector<size_t>& rows) const;

    // The platform-free fold the default rules match with: Latin letters in one case (ASCII,
    // Latin-1, full-width), full-width ASCII as ASCII, half-width katakana as full-width,
    // katakana as hiragana.
    static std::wstring Folded(std::wstring text);
    static TextRules FoldedRules();

private:
    void Arrange();
    bool Passes(const Row& row) const;

    TextRules m_rules;
    std::vector<Row> m_rows;
    std::vector<size_t> m_order;  // every row, in the column's order
    std::vector<size_t> m_shown;  // those of m_order that the filter lets through
    Column m_column = kTime;
    bool m_ascending = false;
    std::wstring m_filter;        // as typed
    std::vector<std::wstring> m_words;  // its words
    int64_t m_fromUs = 0;
};
