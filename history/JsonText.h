// JSON files of the browsers (session stores, Local State), parsed in one place: without
// exceptions (a text that does not parse gives a discarded value) and with one copy of the
// parser in the program, whoever reads JSON.
#pragma once
#include <nlohmann/json.hpp>
#include <cstddef>

class JsonText {
public:
    static nlohmann::json Parse(const char* text, size_t size);
};
