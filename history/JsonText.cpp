#include "JsonText.h"

nlohmann::json JsonText::Parse(const char* text, size_t size)
{
    return nlohmann::json::parse(text, text + size, nullptr, false);
}
