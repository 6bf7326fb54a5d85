// What became of reading one history file: read, or why not. Tests as true only when read.
#pragma once

class HistoryReadResult {
public:
    enum Kind {
        Read,           // read (perhaps without a page a person saw)
        Missing,        // no such file
        Empty,          // a file of no bytes: a profile that never kept a history (the callers
                        // also call a history without a page a person saw empty)
        Locked,         // held by another program beyond sharing, or changing under every copy
        Damaged,        // not a database, or damaged where the reading went
        UnknownSchema,  // the tables, columns or indexes are not the ones the reader knows
        TooSlow,        // the deadline came first
    };
    HistoryReadResult(Kind kind) : m_kind(kind) {}
    explicit operator bool() const { return m_kind == Read; }
    Kind kind() const { return m_kind; }
    bool operator==(Kind kind) const { return m_kind == kind; }
    bool operator!=(Kind kind) const { return m_kind != kind; }

private:
    Kind m_kind;
};
