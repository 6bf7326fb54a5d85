// Why a link could not be opened, told in words: the opener's result code to the message.
#pragma once
#include <string>

class LinkMessages {
public:
    // The string-table id of the message for a code; 0 for the codes the catch-all serves.
    static unsigned MessageId(int code);
    // "Unable to open hyperlink:" and an empty line, then the code's message; the catch-all
    // text has its "%d" replaced by the code as a signed number. `load` reads the table.
    static std::wstring Text(int code, std::wstring (*load)(unsigned id));
};
