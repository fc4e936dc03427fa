// The keyword engine over bounded slot arrays: it reads exactly the slots
// its grammar asks for, and a list that ends early or never ends is refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "host/core/flare_calls.h"
#include "host/core/flare_model.h"
#include "host/core/keyword_list.h"
#include "tests/support/host_channel.h"

namespace qi {
namespace {

using ::testing::ElementsAre;

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

TEST_F(KeywordEngine, ReadsUpToQiEndAndNoFurther)
{
    int32_t n = -1;
    float f = 2.0f;
    const uint64_t poison = 0xDEADBEEFDEADBEEFull;
    EXPECT_EQ(Run(CallMode::Inquire, {K("numelements"), A(&n), QI_END, poison}), 3u);
    EXPECT_EQ(n, int32_t(light_->flare.elements.size()));
    EXPECT_EQ(Run(CallMode::Set, {K("scale"), A(&f), QI_GROUP, QI_END, poison}), 4u);
    EXPECT_EQ(light_->flare.globals.scale, 2.0f);
    const char *guid = nullptr;
    EXPECT_EQ(Run(CallMode::Set, {K("insert"), K("start"), A("glow"), A(&guid), QI_END, poison}),
              5u);
    EXPECT_EQ(guid, light_->flare.elements[0]->guid.c_str());
    EXPECT_THAT(TakeReportNames(), ElementsAre());
}

TEST_F(KeywordEngine, StopsReadingAtTheFault)
{
    float f = 5.0f;
    int32_t far = 1000;
    EXPECT_EQ(Run(CallMode::Set, {K("intensity"), A(&f), K("bogus"), A(&f), QI_END}), 3u);
    EXPECT_EQ(Run(CallMode::Inquire, {K("element"), A(&far), K("name"), A(&f), QI_END}), 2u);
    EXPECT_EQ(Run(CallMode::Set, {K("delete"), A("x"), QI_GROUP, QI_END}), 3u);
    EXPECT_THAT(TakeReportNames(), ElementsAre("ERR_BAD_KEYWORD", "ERR_NO_ELEMENT", "ERR_BAD_LIST"));
    EXPECT_NE(light_->flare.globals.intensity, 5.0f);
}

TEST_F(KeywordEngine, RefusesListsWithoutQiEnd)
{
    float f = 7.0f;
    int32_t n = -1;
    EXPECT_EQ(Run(CallMode::Set, {K("intensity"), A(&f), QI_GROUP}), 3u);
    EXPECT_EQ(Run(CallMode::Inquire, {K("numelements"), A(&n)}), 2u);
    std::vector<uint64_t> endless(kMaxListSlots + 10, QI_GROUP);
    EXPECT_EQ(Run(CallMode::Set, endless), kMaxListSlots);
    EXPECT_THAT(TakeReportNames(), ElementsAre("ERR_BAD_LIST", "ERR_BAD_LIST", "ERR_BAD_LIST"));
    EXPECT_NE(light_->flare.globals.intensity, 7.0f);
    EXPECT_EQ(n, -1);
}

}  // namespace
}  // namespace qi
