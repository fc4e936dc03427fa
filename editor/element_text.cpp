#include "editor/element_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "colour/colour_math.h"

namespace {

const char kHeaderWord[] = "quorix-lensflare-element";
const int kMajorVersion = 1;

// The shortest "%g" form that reads back to the same float.
std::string Number(float value)
{
    char text[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, double(value));
        float back = std::strtof(text, nullptr);
        if (std::memcmp(&back, &value, sizeof value) == 0)
            break;
    }
    return text;
}

void WriteGradient(std::string &out, const TextParameter &p)
{
    size_t count = p.offsets.size();
    out += "    " + p.name + " gradient " + std::to_string(count) + "\r\n";
    for (size_t i = 0; i < count; ++i) {
        out += "        " + Number(p.offsets[i]);
        for (size_t c = 0; c < 3; ++c)
            out += " " + Number(3 * i + c < p.colours.size() ? p.colours[3 * i + c] : 0.0f);
        out += "\r\n";
    }
}

void WriteData(std::string &out, const TextParameter &p)
{
    static const char hex[] = "0123456789abcdef";
    out += "    " + p.name + " data " + std::to_string(p.data.size()) + "\r\n";
    for (size_t i = 0; i < p.data.size(); i += 32) {
        out += "        ";
        for (size_t j = i; j < i + 32 && j < p.data.size(); ++j) {
            out += hex[p.data[j] >> 4];
            out += hex[p.data[j] & 15];
        }
        out += "\r\n";
    }
}

using Words = std::vector<std::string>;

struct Reader {
    TextElement element;
    enum { kHeader, kElement, kBody, kGradient, kData, kAfter } state = kHeader;
    size_t block = 0;      // the parameter a gradient or data block fills
    size_t remaining = 0;  // its entries or bytes still to come
    std::string error;
    int line = 0;

    bool Fail(const std::string &what)
    {
        error = "Line " + std::to_string(line) + ": " + what;
        return false;
    }
};

// A decimal number as the library files write them: an optional '-',
// digits with at most one '.', an optional exponent; finite as a float.
bool ReadNumber(const std::string &word, float *value)
{
    size_t i = word[0] == '-' ? 1 : 0, digits = 0;
    bool dot = false;
    for (; i < word.size() && (std::isdigit(uint8_t(word[i])) || word[i] == '.'); ++i) {
        if (word[i] == '.') {
            if (dot)
                return false;
            dot = true;
        } else {
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
        ++i;
        if (i < word.size() && (word[i] == '-' || word[i] == '+'))
            ++i;
        size_t start = i;
        while (i < word.size() && std::isdigit(uint8_t(word[i])))
            ++i;
        if (i == start)
            return false;
    }
    if (i != word.size())
        return false;
    *value = std::strtof(word.c_str(), nullptr);
    return std::isfinite(*value);
}

bool ReadCount(const std::string &word, size_t limit, size_t *count)
{
    if (word.empty() || word.size() > 9 || word.find_first_not_of("0123456789") != word.npos)
        return false;
    *count = size_t(std::strtoul(word.c_str(), nullptr, 10));
    return *count <= limit;
}

// The words of a line up to a comment; false for a control character.
bool SplitLine(const char *begin, const char *end, Words *words)
{
    words->clear();
    const char *p = begin;
    while (p < end) {
        while (p < end && (*p == ' ' || *p == '\t' || *p == '\r'))
            ++p;
        if (p == end || *p == '#')
            return true;
        const char *start = p;
        while (p < end && *p != ' ' && *p != '\t' && *p != '\r') {
            if (uint8_t(*p) < 0x20 || *p == 0x7f)
                return false;
            ++p;
        }
        words->emplace_back(start, p);
    }
    return true;
}

TextParameter *Parameter(Reader &r, const std::string &name, size_t *index)
{
    for (size_t i = 0; i < r.element.parameters.size(); ++i)
        if (r.element.parameters[i].name == name) {
            *index = i;
            return &r.element.parameters[i];
        }
    if (r.element.parameters.size() >= kElementTextMaxParameters)
        return nullptr;
    r.element.parameters.emplace_back();
    r.element.parameters.back().name = name;
    *index = r.element.parameters.size() - 1;
    return &r.element.parameters.back();
}

bool ReadHeader(Reader &r, const Words &w)
{
    if (w[0] != kHeaderWord)
        return r.Fail("this is no lens flare element (it does not begin with \"" +
                      std::string(kHeaderWord) + "\")");
    int major = -1, minor = -1;
    char extra = 0;
    if (w.size() != 2 || std::sscanf(w[1].c_str(), "%d.%d%c", &major, &minor, &extra) != 2 ||
        major < 0 || minor < 0)
        return r.Fail("the version must be MAJOR.MINOR");
    if (major != kMajorVersion)
        return r.Fail("version " + w[1] + " is not one this editor reads (1.x)");
    r.state = Reader::kElement;
    return true;
}

bool ReadElementLine(Reader &r, const Words &w)
{
    if (w[0] != "element" || w.size() != 2)
        return r.Fail("\"element TYPE\" expected");
    if (w[1].size() > kElementTextMaxName)
        return r.Fail("the type's name is longer than 64 characters");
    r.element.type = w[1];
    r.state = Reader::kBody;
    return true;
}

bool StartBlock(Reader &r, const Words &w, bool gradient)
{
    size_t count = 0, index = 0;
    if (w.size() != 3 || !ReadCount(w[2], gradient ? kElementTextMaxGradient
                                                   : kElementTextMaxData, &count))
        return r.Fail(gradient ? "\"NAME gradient COUNT\" with at most 1024 entries expected"
                               : "\"NAME data SIZE\" with at most 65536 bytes expected");
    TextParameter *p = Parameter(r, w[0], &index);
    if (!p)
        return r.Fail("more than 256 parameters");
    if (p->hasGradient || p->hasData)
        return r.Fail("the parameter " + w[0] + " has a block already");
    (gradient ? p->hasGradient : p->hasData) = true;
    r.block = index;
    r.remaining = count;
    if (count > 0)
        r.state = gradient ? Reader::kGradient : Reader::kData;
    return true;
}

bool ReadValueLine(Reader &r, const Words &w)
{
    size_t index = 0;
    if (w.size() > 4)
        return r.Fail("at most three numbers follow a parameter's name");
    TextParameter *p = Parameter(r, w[0], &index);
    if (!p)
        return r.Fail("more than 256 parameters");
    if (p->valueCount)
        return r.Fail("the parameter " + w[0] + " is given twice");
    for (size_t i = 1; i < w.size(); ++i)
        if (!ReadNumber(w[i], &p->value[i - 1]))
            return r.Fail("\"" + w[i] + "\" is not a number");
    p->valueCount = int(w.size() - 1);
    return true;
}

bool ReadBodyLine(Reader &r, const Words &w)
{
    if (w.size() == 1 && w[0] == "end") {
        r.state = Reader::kAfter;
        return true;
    }
    if (w[0] == "element")
        return r.Fail("\"end\" is missing before the next element");
    if (w[0].size() > kElementTextMaxName)
        return r.Fail("a name is longer than 64 characters");
    if (w.size() == 2 && w[0] == "enabled" && (w[1] == "on" || w[1] == "off")) {
        r.element.enabled = w[1] == "on";
        return true;
    }
    if (w.size() == 1)
        return r.Fail("the parameter " + w[0] + " has no value");
    if (w[1] == "gradient" || w[1] == "data")
        return StartBlock(r, w, w[1] == "gradient");
    return ReadValueLine(r, w);
}

bool ReadGradientEntry(Reader &r, const Words &w)
{
    float numbers[4];
    if (w.size() != 4)
        return r.Fail("a gradient entry is \"OFFSET RED GREEN BLUE\"");
    for (size_t i = 0; i < 4; ++i)
        if (!ReadNumber(w[i], &numbers[i]))
            return r.Fail("\"" + w[i] + "\" is not a number");
    TextParameter &p = r.element.parameters[r.block];
    p.offsets.push_back(numbers[0]);
    p.colours.insert(p.colours.end(), numbers + 1, numbers + 4);
    if (--r.remaining == 0)
        r.state = Reader::kBody;
    return true;
}

bool ReadDataLine(Reader &r, const Words &w)
{
    TextParameter &p = r.element.parameters[r.block];
    for (const std::string &word : w)
        for (size_t i = 0; i < word.size(); i += 2) {
            int high = HexDigit(word[i]), low = i + 1 < word.size() ? HexDigit(word[i + 1]) : -1;
            if (high < 0 || low < 0)
                return r.Fail("data must be pairs of hexadecimal digits");
            if (r.remaining == 0)
                return r.Fail("more data than its size says");
            p.data.push_back(uint8_t(high << 4 | low));
            --r.remaining;
        }
    if (r.remaining == 0)
        r.state = Reader::kBody;
    return true;
}

bool ReadLine(Reader &r, const Words &w)
{
    switch (r.state) {
    case Reader::kHeader: return ReadHeader(r, w);
    case Reader::kElement: return ReadElementLine(r, w);
    case Reader::kBody: return ReadBodyLine(r, w);
    case Reader::kGradient: return ReadGradientEntry(r, w);
    case Reader::kData: return ReadDataLine(r, w);
    case Reader::kAfter: return r.Fail("only comments may follow \"end\"");
    }
    return false;
}

}  // namespace

std::string WriteElementText(const TextElement &element)
{
    std::string out = std::string(kHeaderWord) + " 1.0\r\n";
    out += "element " + element.type + "\r\n";
    out += std::string("    enabled ") + (element.enabled ? "on" : "off") + "\r\n";
    for (const TextParameter &p : element.parameters) {
        if (p.valueCount > 0) {
            out += "    " + p.name;
            for (int i = 0; i < p.valueCount && i < 3; ++i)
                out += " " + Number(p.value[i]);
            out += "\r\n";
        }
        if (p.hasGradient)
            WriteGradient(out, p);
        if (p.hasData)
            WriteData(out, p);
    }
    out += "end\r\n";
    return out;
}

bool ReadElementText(const char *text, size_t size, TextElement *element, std::string *error)
{
    Reader r;
    if (!text)
        size = 0;
    if (size > kElementTextMaxBytes) {
        *error = "The text is longer than 1 MiB.";
        return false;
    }
    Words words;
    const char *end = text + size;
    for (const char *p = text; p < end;) {
        const char *stop = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *lineEnd = stop ? stop : end;
        ++r.line;
        if (size_t(lineEnd - p) > kElementTextMaxLine) {
            *error = "Line " + std::to_string(r.line) + ": longer than 1024 characters";
            return false;
        }
        if (!SplitLine(p, lineEnd, &words)) {
            *error = "Line " + std::to_string(r.line) + ": a control character";
            return false;
        }
        if (!words.empty() && !ReadLine(r, words)) {
            *error = r.error;
            return false;
        }
        p = stop ? stop + 1 : end;
    }
    if (r.state != Reader::kAfter) {
        *error = r.state == Reader::kHeader ? "The text is empty: it holds no lens flare element."
                                            : "The text ends before the element's \"end\".";
        return false;
    }
    *element = std::move(r.element);
    return true;
}
