// The keyword engine's cursor, its error reports and the deferred plan.
#include "host/core/keyword_list.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "host/core/tokens.h"

namespace qi {

const char *const kErrBadKeyword = "ERR_BAD_KEYWORD";
const char *const kErrBadList = "ERR_BAD_LIST";
const char *const kErrBadValue = "ERR_BAD_VALUE";
const char *const kErrNoObject = "ERR_NO_OBJECT";
const char *const kErrNoElement = "ERR_NO_ELEMENT";
const char *const kErrNoParameter = "ERR_NO_PARAMETER";
const char *const kErrUnknownType = "ERR_UNKNOWN_TYPE";

namespace {

constexpr int32_t kLevelBadInput = 4;

// Neither Windows nor Linux maps the lowest 64 KiB, where tokens and small
// integers lie; a slot there that should be an address is a misplaced value.
constexpr uint64_t kLowestAddress = 0x10000;

}  // namespace

std::string DescribeSlot(QiToken token)
{
    if (token == QI_END)
        return "QI_END";
    if (token == QI_GROUP)
        return "QI_GROUP";
    if (const char *keyword = KeywordOf(token))
        return std::string("\"") + keyword + "\"";
    char raw[40];
    std::snprintf(raw, sizeof raw, "0x%llx (no keyword)", static_cast<unsigned long long>(token));
    return raw;
}

std::string QuoteText(const char *text)
{
    constexpr size_t kShown = 64;
    if (!text)
        return "(null)";
    size_t length = 0;
    while (length <= kShown && text[length])
        ++length;
    if (length > kShown)
        return "\"" + std::string(text, kShown) + "...\"";
    return "\"" + std::string(text, length) + "\"";
}

float ClampNumber(float v, float lo, float hi)
{
    if (std::isnan(v) || v < lo)
        return lo;
    return v > hi ? hi : v;
}

bool KeywordList::Next(SlotUse use, uint64_t &slot)
{
    if (failed_)
        return false;
    if (read_ == kMaxListSlots)
        return Fail(kErrBadList, "the list has no QI_END within " +
                                     std::to_string(kMaxListSlots) + " slots");
    if (!source_.Next(use, slot))
        return Fail(kErrBadList, "the list ends without QI_END");
    ++read_;
    return true;
}

bool KeywordList::Keyword(QiToken &token)
{
    uint64_t slot;
    if (!Next(SlotUse::Keyword, slot))
        return false;
    token = QiToken(slot);
    return true;
}

bool KeywordList::Value(int64_t &value)
{
    uint64_t slot;
    if (!Next(SlotUse::Value, slot))
        return false;
    value = int64_t(slot);
    return true;
}

bool KeywordList::Text(const char *&text)
{
    uint64_t slot;
    if (!Next(SlotUse::Text, slot))
        return false;
    if (slot != 0 && slot < kLowestAddress)
        return Fail(kErrBadValue, DescribeSlot(QiToken(slot)) + " where a text belongs");
    text = reinterpret_cast<const char *>(uintptr_t(slot));
    return true;
}

bool KeywordList::OptionalAddress(void *&address)
{
    uint64_t slot;
    if (!Next(SlotUse::Address, slot))
        return false;
    if (slot != 0 && slot < kLowestAddress)
        return Fail(kErrBadValue, DescribeSlot(QiToken(slot)) + " where an address belongs");
    address = reinterpret_cast<void *>(uintptr_t(slot));
    return true;
}

bool KeywordList::Address(void *&address, const char *what)
{
    if (!OptionalAddress(address))
        return false;
    if (!address)
        return Fail(kErrBadValue, std::string("null address for \"") + what + "\"");
    return true;
}

bool KeywordList::Expect(const char *expected, const char *after)
{
    QiToken token;
    if (!Keyword(token))
        return false;
    if (token != Qi_Inquire_Token(expected))
        return Fail(kErrBadKeyword, DescribeSlot(token) + " after \"" + after + "\" (expected \"" +
                                        expected + "\")");
    return true;
}

bool KeywordList::ExpectEnd(const char *after)
{
    QiToken token;
    if (!Keyword(token))
        return false;
    if (token != QI_END)
        return Fail(kErrBadList, DescribeSlot(token) + " after \"" + after +
                                     "\", which must end its call");
    return true;
}

bool KeywordList::Fail(const char *errorName, const std::string &detail)
{
    if (!failed_) {
        failed_ = true;
        Qi_Report_Error(kLevelBadInput, errorName, origin_, detail.c_str());
    }
    return false;
}

bool KeywordList::BadKeyword(QiToken token, const char *where)
{
    return Fail(kErrBadKeyword, DescribeSlot(token) + " " + where);
}

void Plan::WriteFloats(void *address, const float *values, int count)
{
    std::array<float, 3> copy{};
    std::memcpy(copy.data(), values, sizeof(float) * size_t(count));
    Add([address, copy, count] { std::memcpy(address, copy.data(), sizeof(float) * size_t(count)); });
}

void Plan::Run()
{
    for (const auto &step : steps_)
        step();
    steps_.clear();
}

void ReadFloats(const void *address, float *out, int count)
{
    std::memcpy(out, address, sizeof(float) * size_t(count));
}

QiToken SwitchToken(bool on)
{
    return on ? QI_TOKEN("on") : QI_TOKEN("off");
}

bool SwitchValue(KeywordList &list, bool &on, const char *what)
{
    int64_t value;
    if (!list.Value(value))
        return false;
    if (value != QI_TOKEN("on") && value != QI_TOKEN("off"))
        return list.Fail(kErrBadValue, DescribeSlot(value) + " for \"" + what +
                                           "\" is neither \"on\" nor \"off\"");
    on = value == QI_TOKEN("on");
    return true;
}

}  // namespace qi
