// JSON files of the browsers (session stores, Local State, Preferences), parsed in one place:
// without exceptions (a text that does not parse gives a discarded value), with one copy of the
// parser in the program, and within bounds that a file written by web pages cannot push the
// program past: nesting deeper than kDeepest is refused as the parser meets it, before any tree
// of that depth is built, and a parse that takes longer than the deadline is given up.
#pragma once
#include <nlohmann/json.hpp>
#include <chrono>
#include <cstddef>

class JsonText {
public:
    static nlohmann::json Parse(const char* text, size_t size,
                                std::chrono::milliseconds deadline = kDeadline);

    static constexpr size_t kDeepest = 64;
    static constexpr std::chrono::milliseconds kDeadline{ 2000 };

    // The time one file's reading may take (this parser's, or another reader's of a browser's
    // file): Step is false once it has passed. The clock is asked once every few thousand steps.
    class Deadline {
    public:
        explicit Deadline(std::chrono::milliseconds limit = kDeadline) : m_end(std::chrono::steady_clock::now() + limit) {}
        bool Step() { return (++m_steps & 0xFFF) != 0 || std::chrono::steady_clock::now() < m_end; }

    private:
        std::chrono::steady_clock::time_point m_end;
        size_t m_steps = 0;
    };
};
