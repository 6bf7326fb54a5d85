// The command line of the registry road of the link opener: the registered open command
// cut at its argument placeholder, one blank, and the target.
#pragma once
#include <cstddef>
#include <string>

class LinkCommand {
public:
    // The bytes of the command buffer, terminator included.
    static constexpr size_t kBufferSize = 520;

    // Whether a byte starts a double-byte character of the ANSI code page.
    using LeadByteTest = bool (*)(unsigned char);

    // The quoted placeholder "%1" (with its quotation marks) wins over the bare %1; the search
    // steps over double-byte characters. False when the line would not fit the buffer.
    static bool Build(const std::string& registered, const std::string& target, LeadByteTest isLeadByte,
                      std::string* commandLine);

    // Where `needle` first starts at a character boundary of `text`, or npos.
    static size_t FindMultibyte(const std::string& text, const std::string& needle, LeadByteTest isLeadByte);
};
