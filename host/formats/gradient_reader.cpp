#include "host/formats/gradient_text.h"
#include "host/formats/number_text.h"
#include "host/formats/text_lines.h"

namespace qi::format {

namespace {

std::string Quote(std::string_view word)
{
    return "\"" + std::string(word) + "\"";
}

// The keys before the entries; true once "entries" has been read.
bool ReadHead(LineReader &lines, Line &line, GradientTable &table, size_t &count,
              Findings &findings)
{
    bool interpolationSeen = false;
    while (lines.Next(line)) {
        const std::string_view key = line[0];
        if (key == "interpolation") {
            if (interpolationSeen)
                return findings.Fail(Fault::Syntax, line.number,
                                     "\"interpolation\" is given twice");
            interpolationSeen = true;
            if (line.size() != 2)
                return findings.Fail(Fault::Syntax, line.number,
                                     "expected \"interpolation linear|cardinal\"");
            if (!InterpolationFromKeyword(line[1], table.interpolation))
                return findings.Fail(Fault::Range, line.number,
                                     "interpolation " + Quote(line[1]) +
                                         " is neither linear nor cardinal");
        } else if (key == "entries") {
            int64_t n;
            if (line.size() != 2 || !ParseInteger(line[1], n))
                return findings.Fail(Fault::Syntax, line.number, "expected \"entries COUNT\"");
            if (n < 1 || uint64_t(n) > kMaxGradientFileEntries)
                return findings.Fail(n < 1 ? Fault::Range : Fault::Limit, line.number,
                                     "entry count " + std::to_string(n) + " is outside 1.." +
                                         std::to_string(kMaxGradientFileEntries));
            count = size_t(n);
            return true;
        } else if (key == "end") {
            return findings.Fail(Fault::Syntax, line.number, "\"end\" before \"entries\"");
        } else {
            findings.Skip(line.number, "unknown key " + Quote(key) + " skipped");
        }
    }
    return findings.failed
               ? false
               : findings.Fail(Fault::Truncated, lines.lineNumber(),
                               "the file ends where \"entries COUNT\" belongs");
}

}  // namespace

bool IsGradientText(std::string_view text)
{
    Findings ignored;
    LineReader lines(text, ignored);
    Line line;
    return lines.Next(line) && line[0] == kGradientFormat.magic;
}

bool ReadGradientText(std::string_view text, GradientTable &table, Findings &findings)
{
    LineReader lines(text, findings);
    Line line;
    if (!lines.Next(line))
        return findings.failed ? false : findings.Fail(Fault::Truncated, 0, "the file is empty");
    size_t count = 0;
    if (!ReadHeader(line, kGradientFormat, findings) ||
        !ReadHead(lines, line, table, count, findings))
        return false;
    std::vector<int> entryLines;
    for (size_t i = 0; i < count; ++i) {
        const std::string which =
            "entry " + std::to_string(i + 1) + " of " + std::to_string(count);
        if (!lines.Next(line))
            return findings.failed ? false
                                   : findings.Fail(Fault::Truncated, lines.lineNumber(),
                                                   "the file ends where " + which + " belongs");
        if (line.size() != 4 && line.size() != 5)
            return findings.Fail(Fault::Syntax, line.number,
                                 "expected " + which +
                                     " (OFFSET RED GREEN BLUE [OPACITY]), found " +
                                     Quote(line[0]));
        float numbers[5] = {0, 0, 0, 0, 1.0f};
        for (size_t w = 0; w < line.size(); ++w)
            if (!ParseFloat(line[w], numbers[w]))
                return findings.Fail(Fault::Syntax, line.number,
                                     Quote(line[w]) + " in " + which + " is not a number");
        table.offsets.push_back(numbers[0]);
        table.colours.insert(table.colours.end(), numbers + 1, numbers + 4);
        table.opacities.push_back(numbers[4]);
        entryLines.push_back(line.number);
    }
    if (!lines.Next(line))
        return findings.failed ? false
                               : findings.Fail(Fault::Truncated, lines.lineNumber(),
                                               "the file ends where its \"end\" belongs");
    if (line[0] != "end" || line.size() != 1)
        return findings.Fail(Fault::Syntax, line.number,
                             "expected \"end\" after " + std::to_string(count) +
                                 " entries, found " + Quote(line[0]));
    if (lines.Next(line))
        return findings.Fail(Fault::Syntax, line.number, "more text after \"end\"");
    if (findings.failed)
        return false;
    EntryFault fault;
    if (!CheckGradientTable(table, fault))
        return findings.Fail(Fault::Range, entryLines[fault.entry], fault.message);
    return true;
}

}  // namespace qi::format
