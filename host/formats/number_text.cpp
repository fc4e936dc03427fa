#include "host/formats/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace qi::format {

std::string FormatFloat(float value)
{
    char text[32];
    std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

bool ParseFloat(std::string_view word, float &value)
{
    const char *first = word.data(), *last = word.data() + word.size();
    if (word.empty() || (*first != '-' && *first != '.' && (*first < '0' || *first > '9')))
        return false;
    float parsed;
    std::from_chars_result result = std::from_chars(first, last, parsed);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool ParseInteger(std::string_view word, int64_t &value)
{
    const char *first = word.data(), *last = word.data() + word.size();
    int64_t parsed;
    std::from_chars_result result = std::from_chars(first, last, parsed);
    if (word.empty() || result.ec != std::errc() || result.ptr != last)
        return false;
    value = parsed;
    return true;
}

}  // namespace qi::format
