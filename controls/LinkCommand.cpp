#include "LinkCommand.h"

size_t LinkCommand::FindMultibyte(const std::string& text, const std::string& needle, LeadByteTest isLeadByte)
{
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, needle.size(), needle) == 0)
            return i;
        bool doubleByte = isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        i += doubleByte ? 2 : 1;
    }
    return std::string::npos;
}

bool LinkCommand::Build(const std::string& registered, const std::string& target, LeadByteTest isLeadByte,
                        std::string* commandLine)
{
    size_t cut = FindMultibyte(registered, "\"%1\"", isLeadByte);
    if (cut == std::string::npos)
        cut = FindMultibyte(registered, "%1", isLeadByte);
    std::string line = registered.substr(0, cut);
    line += ' ';
    line += target;
    if (line.size() + 1 > kBufferSize)
        return false;
    *commandLine = line;
    return true;
}
