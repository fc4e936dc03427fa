// The working flare loaded from the recording host: what it keeps of the
// host's answers, and how it copes with odd answers and failed allocations.
// (Every value reaching the host and coming back is the round trip's part.)
#include <gtest/gtest.h>

#include <cstring>

#include "model/working_flare.h"
#include "tests/model/recording_host.h"
#include "tests/support/token.h"

namespace {

const QiToken kLight = 0x77;
const char kName[] = "Light1";

ScriptedParameter Parameter(const char *type, const char *name, const char *description)
{
    ScriptedParameter p;
    p.fields.type = T(type);
    p.fields.name = name;
    p.fields.description = description;
    return p;
}

ScriptedParameter Slider(float value)
{
    ScriptedParameter p = Parameter("floatslider", "radius", "Radius");
    FlareParameter &f = p.fields;
    f.uimaxrange[0] = 2, f.absmaxrange[0] = 20, f.defaultvalue[0] = 0.5f, f.delta[0] = 0.01f;
    f.precision = 3;
    f.floatarg = T("on");
    f.displayaspercentage = T("off");
    f.Qv_Current_Value[0] = value;
    return p;
}

// A flare of two elements: a ring with a gradient, a slider and a list,
// then a disc with one slider.
void ScriptTwoElements()
{
    ScriptedFlare &f = recording_host::Script();
    f.globals.enabled = T("on");
    f.globals.intensity = 1.5f;
    f.globals.randomseed = 42;
    f.globals.color[1] = 0.25f;
    f.globals.fastdrag = T("off");
    f.globals.refdistance = 12.5f;
    f.globals.numelements = 2;
    ScriptedParameter gradient = Parameter("gradient", "colors", "Ring Colors");
    gradient.fields.gradientCount = 2;
    gradient.colours = {1, 0, 0, 0, 0, 1};
    gradient.offsets = {0, 1};
    ScriptedParameter list = Parameter("list", "profile", "Profile");
    const char entries[] = "Small:0,Medium:1,Large:2";
    list.data.assign(entries, entries + sizeof entries);
    list.fields.arbitraryDataSize = int32_t(sizeof entries);
    list.fields.Qv_Current_Value[0] = 1;
    f.elements.resize(2);
    f.elements[0].fields = {T("on"), "Ring Reflex", "rngflx", "{LF-1}", 3};
    f.elements[0].parameters = {gradient, Slider(0.25f), list};
    f.elements[1].fields = {T("off"), "Disc Reflex", "dscflx", "{LF-2}", 1};
    f.elements[1].parameters = {Slider(0.125f)};
}

class WorkingFlareCalls : public testing::Test {
protected:
    void SetUp() override
    {
        recording_host::Reset();
        instance_ = {};
    }
    void TearDown() override
    {
        ReleaseWorkingFlare(&instance_);
        EXPECT_EQ(recording_host::LiveBlocks(), 0) << "every block is released";
    }

    void Load() { LoadWorkingFlare(&instance_, kLight, kName); }

    // Checks that lists, counts and arrays agree, as the editor relies on.
    void ExpectConsistent()
    {
        const WorkingFlare *f = instance_.workingFlare;
        ASSERT_NE(f, nullptr);
        int elements = 0;
        const FlareElement *previous = nullptr;
        for (const FlareElement *e = f->firstElement; e; previous = e, e = e->next, ++elements) {
            EXPECT_EQ(e->prev, previous);
            int parameters = 0;
            for (const FlareParameter *p = e->firstParameter; p; p = p->next, ++parameters) {
                EXPECT_GE(p->gradientCount, 0);
                EXPECT_EQ(p->gradientCount > 0, p->gradientColors != nullptr);
                EXPECT_EQ(p->gradientCount > 0, p->gradientOffsets != nullptr);
                EXPECT_GE(p->arbitraryDataSize, 0);
                EXPECT_EQ(p->arbitraryDataSize > 0, p->arbitraryData != nullptr);
            }
            EXPECT_EQ(e->numparameters, parameters);
        }
        EXPECT_EQ(f->numelements, elements);
    }

    PluginInstance instance_;
};

TEST_F(WorkingFlareCalls, LoadFillsTheModelInTheHostsOrder)
{
    ScriptTwoElements();
    Load();
    const WorkingFlare *f = instance_.workingFlare;
    ExpectConsistent();
    EXPECT_EQ(f->enabled, T("on"));
    EXPECT_EQ(f->intensity, 1.5f);
    EXPECT_EQ(f->randomseed, 42);
    EXPECT_EQ(f->color[1], 0.25f);
    EXPECT_EQ(f->refdistance, 12.5f);
    ASSERT_EQ(f->numelements, 2);
    const FlareElement *ring = f->firstElement, *disc = ring->next;
    const ScriptedFlare &script = recording_host::Script();
    EXPECT_EQ(ring->guid, script.elements[0].fields.guid) << "texts are the host's own";
    EXPECT_EQ(disc->enabled, T("off"));
    EXPECT_EQ(disc->next, nullptr);
    ASSERT_EQ(ring->numparameters, 3);

    const FlareParameter *gradient = ring->firstParameter;
    ASSERT_EQ(gradient->gradientCount, 2);
    EXPECT_NE(gradient->gradientColors, script.elements[0].parameters[0].colours.data());
    EXPECT_EQ(std::memcmp(gradient->gradientColors, script.elements[0].parameters[0].colours.data(),
                          6 * sizeof(float)), 0);
    EXPECT_EQ(gradient->gradientOffsets[1], 1.0f);
    const FlareParameter *radius = gradient->next;
    EXPECT_STREQ(radius->name, "radius");
    EXPECT_EQ(radius->Qv_Current_Value[0], 0.25f);
    EXPECT_EQ(radius->precision, 3);
    EXPECT_EQ(radius->floatarg, T("on"));
    EXPECT_EQ(radius->uimaxrange[0], 2.0f);
    const FlareParameter *list = radius->next;
    EXPECT_STREQ(list->arbitraryData, "Small:0,Medium:1,Large:2");
    EXPECT_EQ(disc->firstParameter->Qv_Current_Value[0], 0.125f);

    // Changing a copy changes nothing at the host until a commit.
    gradient->gradientColors[0] = 0.5f;
    EXPECT_EQ(script.elements[0].parameters[0].colours[0], 1.0f);
    EXPECT_EQ(recording_host::LiveBlocks(), 1 + 2 + 3 + 1 + 2 + 1);
}

TEST_F(WorkingFlareCalls, NothingIsSentWithoutAWorkingFlare)
{
    CommitWorkingFlare(&instance_, kLight, kName);
    EXPECT_TRUE(recording_host::Calls().empty());

    recording_host::Script().globals.numelements = 0;
    Load();
    ExpectConsistent();
    recording_host::ClearCalls();
    CommitWorkingFlare(&instance_, kLight, kName);
    EXPECT_EQ(recording_host::Calls().size(), 1u) << "a flare without elements: one call";
}

TEST_F(WorkingFlareCalls, NegativeCountsAndSizesCountAsNone)
{
    ScriptTwoElements();
    ScriptedFlare &script = recording_host::Script();
    script.elements[0].parameters[0].fields.gradientCount = -5;
    script.elements[0].parameters[2].fields.arbitraryDataSize = -1;
    script.elements[1].fields.numparameters = -3;
    Load();
    ExpectConsistent();
    const FlareElement *ring = instance_.workingFlare->firstElement;
    EXPECT_EQ(ring->firstParameter->gradientCount, 0);
    EXPECT_EQ(ring->numparameters, 3);
    EXPECT_EQ(ring->next->numparameters, 0);
    EXPECT_EQ(ring->next->firstParameter, nullptr);

    ReleaseWorkingFlare(&instance_);
    script.globals.numelements = -2;
    Load();
    ExpectConsistent();
    EXPECT_EQ(instance_.workingFlare->firstElement, nullptr);
    EXPECT_EQ(recording_host::Calls().size(), 1u + 1 + 3 + 1 + 1);
}

// A gradient count without both arrays is a gradient the model cannot hold:
// it keeps none, so that a commit never sends a count without its arrays.
TEST_F(WorkingFlareCalls, AGradientCountWithoutItsArraysCountsAsNone)
{
    for (bool coloursToo : {true, false}) {
        SCOPED_TRACE(coloursToo ? "neither array" : "no offsets");
        recording_host::Reset();
        ScriptTwoElements();
        ScriptedParameter &scripted = recording_host::Script().elements[0].parameters[0];
        scripted.offsets.clear();
        if (coloursToo)
            scripted.colours.clear();
        Load();
        ExpectConsistent();
        const FlareParameter *gradient = instance_.workingFlare->firstElement->firstParameter;
        EXPECT_EQ(gradient->gradientCount, 0);
        EXPECT_EQ(gradient->gradientColors, nullptr);
        EXPECT_EQ(gradient->next->Qv_Current_Value[0], 0.25f) << "the load goes on";
        ReleaseWorkingFlare(&instance_);
        EXPECT_EQ(recording_host::LiveBlocks(), 0);
    }
}

TEST_F(WorkingFlareCalls, AFailedAllocationLeavesAConsistentReleasableModel)
{
    // One load makes 1 + 2 + 3 + 1 + 2 + 1 allocations; fail each in turn.
    for (int failing = 0; failing < 10; ++failing) {
        SCOPED_TRACE(failing);
        recording_host::Reset();
        ScriptTwoElements();
        recording_host::FailAllocation(failing);
        Load();
        if (failing > 0)
            ExpectConsistent();
        EXPECT_EQ(recording_host::Reports().size(), 1u);
        ReleaseWorkingFlare(&instance_);
        EXPECT_EQ(instance_.workingFlare, nullptr);
        EXPECT_EQ(recording_host::LiveBlocks(), 0);
    }
}

}  // namespace
