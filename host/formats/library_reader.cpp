#include <set>
#include <string>

#include "host/formats/library_text.h"
#include "host/formats/number_text.h"
#include "host/formats/text_lines.h"

namespace qi::format {

namespace {

std::string Quote(std::string_view word)
{
    return "\"" + std::string(word) + "\"";
}

// Words that open or close a section; inside a section they mean that its
// "end" is missing.
bool IsStructureWord(std::string_view word)
{
    return word == "globals" || word == "elements" || word == "element";
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class LibraryReader {
public:
    LibraryReader(std::string_view text, Findings &findings)
        : lines_(text, findings), findings_(findings)
    {
    }

    bool Read(Flare &flare);

private:
    // Reads the next line into line_; at the end of the text records that
    // `expected` is missing.
    bool NextLine(const std::string &expected);
    bool Fail(Fault fault, const std::string &message)
    {
        return findings_.Fail(fault, line_.number, message);
    }
    bool CheckName(std::string_view name);
    bool CheckWords(size_t count, const std::string &form);
    bool ReadCount(std::string_view word, size_t limit, const std::string &what, size_t &count);
    bool ReadNumber(std::string_view word, float min, float max, const std::string &what,
                    float &value);
    bool ReadSwitch(bool &on);

    bool ReadGlobals(FlareGlobals &globals);
    bool ReadGlobal(const GlobalField &field, FlareGlobals &globals);
    bool ReadElement(Flare &flare);
    bool ReadParameter(const ParamDef &def, ParamValue &value);
    bool ReadGradient(const std::string &name, size_t count, std::vector<GradientStop> &stops);
    bool ReadData(const std::string &name, size_t count, std::vector<uint8_t> &data);
    // A "NAME gradient COUNT" or "NAME data SIZE" line and the lines of its
    // block, kept in `value` unless it is null.
    bool ReadBlock(const std::string &name, bool gradient, ParamValue *value);
    // Passes over a key this version does not know, with the lines of its
    // gradient or data block.
    bool SkipUnknown(const char *where);
    // Checks a key against the keys of its section read so far.
    bool FirstTime(std::set<std::string> &seen);

    LineReader lines_;
    Findings &findings_;
    Line line_;
};

bool LibraryReader::NextLine(const std::string &expected)
{
    if (lines_.Next(line_))
        return true;
    if (findings_.failed)
        return false;
    line_.number = lines_.lineNumber();
    return Fail(Fault::Truncated, "the file ends where " + expected + " belongs");
}

bool LibraryReader::CheckName(std::string_view name)
{
    if (name.size() > kMaxNameLength)
        return Fail(Fault::Limit, "name longer than " + std::to_string(kMaxNameLength) +
                                      " characters");
    return true;
}

bool LibraryReader::CheckWords(size_t count, const std::string &form)
{
    if (line_.size() != count)
        return Fail(Fault::Syntax, "expected " + form);
    return true;
}

bool LibraryReader::ReadCount(std::string_view word, size_t limit, const std::string &what,
                              size_t &count)
{
    int64_t n;
    if (!ParseInteger(word, n) || n < 0)
        return Fail(Fault::Syntax, what + " " + Quote(word) + " is not a count");
    if (uint64_t(n) > limit)
        return Fail(Fault::Limit, what + " " + std::to_string(n) + " is more than " +
                                      std::to_string(limit));
    count = size_t(n);
    return true;
}

bool LibraryReader::ReadNumber(std::string_view word, float min, float max,
                               const std::string &what, float &value)
{
    if (!ParseFloat(word, value))
        return Fail(Fault::Syntax, what + " " + Quote(word) + " is not a number");
    if (!(value >= min && value <= max))
        return Fail(Fault::Range, what + " " + std::string(word) + " is outside " +
                                      FormatFloat(min) + ".." + FormatFloat(max));
    return true;
}

bool LibraryReader::ReadSwitch(bool &on)
{
    const std::string key(line_[0]);
    if (!CheckWords(2, Quote(key) + " on|off"))
        return false;
    if (line_[1] != "on" && line_[1] != "off")
        return Fail(Fault::Syntax, Quote(key) + " is " + Quote(line_[1]) + ", not on or off");
    on = line_[1] == "on";
    return true;
}

bool LibraryReader::FirstTime(std::set<std::string> &seen)
{
    if (!seen.insert(std::string(line_[0])).second)
        return Fail(Fault::Syntax, Quote(line_[0]) + " is given twice");
    return true;
}

bool LibraryReader::Read(Flare &flare)
{
    if (!lines_.Next(line_))
        return findings_.failed ? false : findings_.Fail(Fault::Truncated, 0, "the file is empty");
    if (!ReadHeader(line_, kLibraryFormat, findings_))
        return false;
    if (!NextLine("\"globals\""))
        return false;
    if (line_[0] != "globals" || line_.size() != 1)
        return Fail(Fault::Syntax, "expected \"globals\", found " + Quote(line_[0]));
    if (!ReadGlobals(flare.globals) || !NextLine("\"elements\""))
        return false;
    if (line_[0] != "elements" || line_.size() != 2)
        return Fail(Fault::Syntax, "expected \"elements COUNT\", found " + Quote(line_[0]));
    size_t count;
    if (!ReadCount(line_[1], kMaxElements, "element count", count))
        return false;
    for (size_t i = 0; i < count; ++i) {
        const std::string which =
            "element " + std::to_string(i + 1) + " of " + std::to_string(count);
        if (!NextLine(which))
            return false;
        if (line_[0] != "element")
            return Fail(Fault::Syntax, "expected " + which + ", found " + Quote(line_[0]));
        if (!ReadElement(flare))
            return false;
    }
    if (lines_.Next(line_))
        return Fail(Fault::Syntax, "more text after the last of the " + std::to_string(count) +
                                       " elements");
    return !findings_.failed;
}

bool LibraryReader::ReadGlobals(FlareGlobals &globals)
{
    std::set<std::string> seen;
    for (;;) {
        if (!NextLine("the \"end\" of the globals"))
            return false;
        const std::string_view key = line_[0];
        if (key == "end")
            return CheckWords(1, "\"end\" alone");
        if (IsStructureWord(key))
            return Fail(Fault::Syntax, Quote(key) + " before the \"end\" of the globals");
        if (!CheckName(key))
            return false;
        const GlobalField *field = nullptr;
        for (const GlobalField &f : GlobalFields())
            if (key == f.keyword)
                field = &f;
        if (!field) {
            if (!SkipUnknown("global value"))
                return false;
            continue;
        }
        if (!FirstTime(seen) || !ReadGlobal(*field, globals))
            return false;
    }
}

bool LibraryReader::ReadGlobal(const GlobalField &field, FlareGlobals &globals)
{
    const std::string key = Quote(field.keyword);
    if (field.toggle)
        return ReadSwitch(globals.*field.toggle);
    if (field.integer) {
        int64_t n;
        if (!CheckWords(2, key + " INTEGER"))
            return false;
        if (!ParseInteger(line_[1], n))
            return Fail(Fault::Syntax, key + " " + Quote(line_[1]) + " is not an integer");
        if (n < INT32_MIN || n > INT32_MAX)
            return Fail(Fault::Range, key + " " + std::string(line_[1]) +
                                          " is outside the 32-bit range");
        globals.*field.integer = int32_t(n);
        return true;
    }
    if (field.number)
        return CheckWords(2, key + " NUMBER") &&
               ReadNumber(line_[1], field.min, field.max, key, globals.*field.number);
    if (!CheckWords(4, key + " RED GREEN BLUE"))
        return false;
    float rgb[3];
    for (size_t i = 0; i < 3; ++i)
        if (!ReadNumber(line_[i + 1], field.min, field.max, key, rgb[i]))
            return false;
    std::copy(rgb, rgb + 3, globals.*field.rgb);
    return true;
}

bool LibraryReader::ReadElement(Flare &flare)
{
    if (!CheckWords(2, "\"element TYPE\"") || !CheckName(line_[1]))
        return false;
    const ElementType *type = FindElementType(std::string(line_[1]));
    if (!type)
        return Fail(Fault::UnknownType, "unknown element type " + Quote(line_[1]));
    std::unique_ptr<Element> element = NewElement(*type);
    const std::string end = "the \"end\" of the " + Quote(type->name) + " element";
    std::set<std::string> seen;
    for (;;) {
        if (!NextLine(end))
            return false;
        const std::string_view key = line_[0];
        if (key == "end") {
            if (!CheckWords(1, "\"end\" alone"))
                return false;
            break;
        }
        if (IsStructureWord(key))
            return Fail(Fault::Syntax, Quote(key) + " before " + end);
        if (!CheckName(key))
            return false;
        if (key == "enabled") {
            if (!FirstTime(seen) || !ReadSwitch(element->enabled))
                return false;
            continue;
        }
        const int index = type->ParamIndex(std::string(key).c_str());
        if (index < 0) {
            if (!SkipUnknown("parameter"))
                return false;
            continue;
        }
        if (!FirstTime(seen) ||
            !ReadParameter(type->params[size_t(index)], element->values[size_t(index)]))
            return false;
    }
    flare.elements.push_back(std::move(element));
    return true;
}

bool LibraryReader::ReadParameter(const ParamDef &def, ParamValue &value)
{
    const std::string name = Quote(def.name);
    switch (def.type) {
    case ParamType::Gradient:
    case ParamType::ArbitraryData: {
        const bool gradient = def.type == ParamType::Gradient;
        const char *kind = gradient ? "gradient" : "data";
        if (line_.size() != 3 || line_[1] != kind)
            return Fail(Fault::Syntax, "expected " + name + " " + kind + " COUNT");
        return ReadBlock(name, gradient, &value);
    }
    case ParamType::Color:
    case ParamType::Point:
        if (!CheckWords(4, name + " and three numbers"))
            return false;
        for (size_t i = 0; i < 3; ++i)
            if (!ReadNumber(line_[i + 1], def.absMin[i], def.absMax[i], name, value.value[i]))
                return false;
        return true;
    default:
        return CheckWords(2, name + " NUMBER") &&
               ReadNumber(line_[1], def.absMin[0], def.absMax[0], name, value.value[0]);
    }
}

bool LibraryReader::ReadGradient(const std::string &name, size_t count,
                                 std::vector<GradientStop> &stops)
{
    stops.clear();
    for (size_t i = 0; i < count; ++i) {
        const std::string which = "entry " + std::to_string(i + 1) + " of " +
                                  std::to_string(count) + " of the gradient " + name;
        if (!NextLine(which))
            return false;
        if (line_.size() != 4)
            return Fail(Fault::Syntax, "expected " + which + " (OFFSET RED GREEN BLUE), found " +
                                           Quote(line_[0]));
        GradientStop stop;
        if (!ReadNumber(line_[0], 0.0f, 1.0f, name + " offset", stop.offset))
            return false;
        if (!stops.empty() && stop.offset < stops.back().offset)
            return Fail(Fault::Range, name + " offset " + std::string(line_[0]) +
                                          " lies before the one ahead of it");
        for (size_t c = 0; c < 3; ++c)
            if (!ReadNumber(line_[c + 1], 0.0f, 1.0f, name + " colour", stop.rgb[c]))
                return false;
        stops.push_back(stop);
    }
    return true;
}

bool LibraryReader::ReadData(const std::string &name, size_t count, std::vector<uint8_t> &data)
{
    data.clear();
    while (data.size() < count) {
        const std::string which = "byte " + std::to_string(data.size() + 1) + " of " +
                                  std::to_string(count) + " of the data " + name;
        if (!NextLine(which))
            return false;
        const std::string_view hex = line_[0];
        if (line_.size() != 1 || hex.size() % 2 != 0)
            return Fail(Fault::Syntax, "expected " + which +
                                           " (a line of pairs of hexadecimal digits)");
        if (data.size() + hex.size() / 2 > count)
            return Fail(Fault::Syntax, name + " holds more than its " + std::to_string(count) +
                                           " bytes");
        for (size_t i = 0; i < hex.size(); i += 2) {
            const int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
            if (high < 0 || low < 0)
                return Fail(Fault::Syntax, "expected " + which + ", found " + Quote(hex));
            data.push_back(uint8_t(high * 16 + low));
        }
    }
    return true;
}

bool LibraryReader::SkipUnknown(const char *where)
{
    const std::string name = Quote(line_[0]);
    findings_.Skip(line_.number, std::string("unknown ") + where + " " + name + " skipped");
    if (line_.size() != 3 || (line_[1] != "gradient" && line_[1] != "data"))
        return true;
    return ReadBlock(name, line_[1] == "gradient", nullptr);
}

bool LibraryReader::ReadBlock(const std::string &name, bool gradient, ParamValue *value)
{
    size_t count;
    if (!ReadCount(line_[2], gradient ? size_t(kMaxGradientEntries) : size_t(kMaxDataBytes),
                   name + (gradient ? " gradient count" : " data size"), count))
        return false;
    ParamValue passedOver;
    ParamValue &into = value ? *value : passedOver;
    return gradient ? ReadGradient(name, count, into.gradient) : ReadData(name, count, into.data);
}

}  // namespace

bool ReadLibraryText(std::string_view text, Flare &flare, Findings &findings)
{
    LibraryReader reader(text, findings);
    return reader.Read(flare);
}

}  // namespace qi::format
