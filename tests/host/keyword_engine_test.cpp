// The keyword engine over bounded slot arrays: it reads exactly the slots
// its grammar asks for, and a list that ends early or never ends is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/flare_calls.h"
#include "host/core/flare_model.h"
#include "host/core/keyword_list.h"
#include "tests/support/host_channel.h"

namespace qi {
namespace {

uint64_t K(const char *keyword)
{
    return uint64_t(Qi_Inquire_Token(keyword));
}

uint64_t A(const void *address)
{
    return uint64_t(reinterpret_cast<uintptr_t>(address));
}

class KeywordEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearObjects();
        ClearHostReports();
        light_ = CreateObject(Qi_Inquire_Token("light"), "L");
    }
    void TearDown() override { ClearObjects(); }

    // Runs a list; returns how many slots the engine read.
    size_t Run(CallMode mode, const std::vector<uint64_t> &slots)
    {
        ArraySlots source(slots.data(), slots.size());
        RunLensFlare(mode, Qi_Inquire_Token("light"), "L", source);
        return source.used();
    }

    HostObject *light_ = nullptr;
};

// Each list is read up to its QI_END and no further (the poison after it is
// never read), or up to its fault; a faulty list changes nothing.
TEST_F(KeywordEngine, ReadsUpToQiEndOrTheFaultAndNoFurther)
{
    int32_t n = -1, beyond = 1000;
    float two = 2.0f, five = 5.0f;
    const char *guid = nullptr;
    const uint64_t poison = 0xDEADBEEFDEADBEEFull;
    std::vector<uint64_t> endless(kMaxListSlots + 10, QI_GROUP);
    const int32_t count = int32_t(light_->flare.elements.size());
    const struct {
        const char *name;
        CallMode mode;
        std::vector<uint64_t> slots;
        size_t read;
        const char *report;  // null for none
    } rows[] = {
        {"an inquiry", CallMode::Inquire, {K("numelements"), A(&n), QI_END, poison}, 3, nullptr},
        {"a group", CallMode::Set, {K("scale"), A(&two), QI_GROUP, QI_END, poison}, 4, nullptr},
        {"an insert", CallMode::Set,
         {K("insert"), K("start"), A("glow"), A(&guid), QI_END, poison}, 5, nullptr},
        {"an unknown keyword", CallMode::Set,
         {K("intensity"), A(&five), K("bogus"), A(&five), QI_END}, 3, "ERR_BAD_KEYWORD"},
        {"no such element", CallMode::Inquire,
         {K("element"), A(&beyond), K("name"), A(&five), QI_END}, 2, "ERR_NO_ELEMENT"},
        {"a command in a group", CallMode::Set, {K("delete"), A("x"), QI_GROUP, QI_END}, 3,
         "ERR_BAD_LIST"},
        {"no end after a group", CallMode::Set, {K("intensity"), A(&five), QI_GROUP}, 3,
         "ERR_BAD_LIST"},
        {"no end after a value", CallMode::Inquire, {K("numelements"), A(&beyond)}, 2,
         "ERR_BAD_LIST"},
        {"an endless list", CallMode::Set, endless, kMaxListSlots, "ERR_BAD_LIST"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(Run(row.mode, row.slots), row.read) << row.name;
        const std::vector<std::string> expected = row.report ? std::vector<std::string>{row.report}
                                                             : std::vector<std::string>{};
        EXPECT_EQ(TakeReportNames(), expected) << row.name;
    }
    EXPECT_EQ(n, count);
    EXPECT_EQ(beyond, 1000);
    EXPECT_EQ(light_->flare.globals.scale, 2.0f);
    EXPECT_NE(light_->flare.globals.intensity, 5.0f);
    EXPECT_EQ(guid, light_->flare.elements[0]->guid.c_str());
}

}  // namespace
}  // namespace qi
