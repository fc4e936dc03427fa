// The reading side of the keyword engine: a cursor over one call's slots
// that reports the call's first fault through Qi_Report_Error, and the plan
// of changes and writes the call makes once its whole list has been read.
//
// A call reads its list to QI_END before it touches anything: a list with a
// fault changes no host state and writes through none of the caller's
// pointers.
#ifndef HOST_CORE_KEYWORD_LIST_H
#define HOST_CORE_KEYWORD_LIST_H

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host/api/qi_core.h"
#include "host/core/slot_source.h"

namespace qi {

// Error names reported by the keyword engine (level 4, bad input).
extern const char *const kErrBadKeyword;   // a slot is no keyword known at that point
extern const char *const kErrBadList;      // the list is malformed or ends too early
extern const char *const kErrBadValue;     // a null address or a value out of its domain
extern const char *const kErrNoObject;     // no host object of that kind and name
extern const char *const kErrNoElement;    // an element index or guid that is not there
extern const char *const kErrNoParameter;  // a parameter index that is not there
extern const char *const kErrUnknownType;  // "insert" with a type the catalogue lacks

// Longest list a call reads; a longer one has lost its QI_END.
constexpr size_t kMaxListSlots = 4096;

class KeywordList {
public:
    KeywordList(SlotSource &source, const char *origin) : source_(source), origin_(origin) {}

    // Each reader stores the next slot and returns true, or reports a list
    // that ends (or runs past kMaxListSlots) and returns false.
    bool Keyword(QiToken &token);
    bool Value(int64_t &value);
    // Texts and addresses may not lie in the lowest 64 KiB (no system maps
    // it; a token or small integer there means the list is out of step).
    bool Text(const char *&text);
    // An address the engine will use; null is reported as a bad value.
    bool Address(void *&address, const char *what);
    // An address that may be null (arrays that go with a count of zero).
    bool OptionalAddress(void *&address);
    // Reads a keyword that must be `expected` (the second word of a path).
    bool Expect(const char *expected, const char *after);
    // Reads the closing QI_END of a call that takes nothing more.
    bool ExpectEnd(const char *after);

    // Reports the call's fault (only the first one) and returns false.
    bool Fail(const char *errorName, const std::string &detail);
    bool BadKeyword(QiToken token, const char *where);
    bool failed() const { return failed_; }
    const char *origin() const { return origin_; }

private:
    bool Next(SlotUse use, uint64_t &slot);

    SlotSource &source_;
    const char *origin_;
    size_t read_ = 0;
    bool failed_ = false;
};

// How a keyword appears in a report: its text in quotes, or the raw value.
std::string DescribeSlot(QiToken token);
// A caller's text for a report: quoted and cut to a few dozen characters.
std::string QuoteText(const char *text);

// v clamped to lo..hi; NaN becomes lo.
float ClampNumber(float v, float lo, float hi);

// Changes and writes gathered while a list is read, run when it has been
// read in full.
class Plan {
public:
    void Add(std::function<void()> step) { steps_.push_back(std::move(step)); }
    // Copies `value` to the caller's address (which may be unaligned).
    template <typename T> void Write(void *address, const T &value)
    {
        Add([address, value] { std::memcpy(address, &value, sizeof value); });
    }
    void WriteFloats(void *address, const float *values, int count);
    void Run();

private:
    std::vector<std::function<void()>> steps_;
};

// Reads `count` floats from a caller's address (which may be unaligned).
void ReadFloats(const void *address, float *out, int count);

// The tokens of "on" and "off", and back.
QiToken SwitchToken(bool on);
// Reads a switch value; false (reported) when it is neither "on" nor "off".
bool SwitchValue(KeywordList &list, bool &on, const char *what);

}  // namespace qi

#endif
