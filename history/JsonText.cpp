#include "JsonText.h"
#include <string>

namespace {
using Json = nlohmann::json;

// The parser's own tree builder, told to stop (which discards the document) at the bound.
class BoundedBuilder : public nlohmann::json_sax<Json> {
public:
    BoundedBuilder(Json& result, std::chrono::milliseconds deadline)
        : m_dom(result, false), m_deadline(deadline)
    {
    }
    bool null() override { return Tick() && m_dom.null(); }
    bool boolean(bool v) override { return Tick() && m_dom.boolean(v); }
    bool number_integer(number_integer_t v) override { return Tick() && m_dom.number_integer(v); }
    bool number_unsigned(number_unsigned_t v) override { return Tick() && m_dom.number_unsigned(v); }
    bool number_float(number_float_t v, const string_t& s) override { return Tick() && m_dom.number_float(v, s); }
    bool string(string_t& v) override { return Tick() && m_dom.string(v); }
    bool binary(binary_t& v) override { return Tick() && m_dom.binary(v); }
    bool start_object(std::size_t n) override { return ++m_depth <= JsonText::kDeepest && Tick() && m_dom.start_object(n); }
    bool key(string_t& v) override { return Tick() && m_dom.key(v); }
    bool end_object() override { return --m_depth, m_dom.end_object(); }
    bool start_array(std::size_t n) override { return ++m_depth <= JsonText::kDeepest && Tick() && m_dom.start_array(n); }
    bool end_array() override { return --m_depth, m_dom.end_array(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

private:
    bool Tick() { return m_deadline.Step(); }

    nlohmann::detail::json_sax_dom_parser<Json> m_dom;
    JsonText::Deadline m_deadline;
    size_t m_depth = 0;
};
}

nlohmann::json JsonText::Parse(const char* text, size_t size, std::chrono::milliseconds deadline)
{
    Json result;
    BoundedBuilder builder(result, deadline);
    if (!Json::sax_parse(text, text + size, static_cast<nlohmann::json_sax<Json>*>(&builder),
                         nlohmann::json::input_format_t::json, true))
        return Json(Json::value_t::discarded);
    return result;
}
