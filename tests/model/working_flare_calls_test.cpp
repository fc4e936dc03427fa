// The host calls that load and commit the working flare, slot by slot,
// against the recording host; and how the model copes with odd answers and
// failed allocations.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "model/working_flare.h"
#include "tests/model/recording_host.h"
#include "tests/support/token.h"

namespace {

// One slot: a token, an integer or an address.
struct Slot {
    int64_t v;
    Slot(QiToken t) : v(t) {}
    Slot(int t) : v(t) {}
    template <typename P>
    Slot(P *p) : v(reinterpret_cast<int64_t>(p)) {}
};

std::vector<int64_t> Slots(std::initializer_list<Slot> slots)
{
    std::vector<int64_t> out;
    for (const Slot &s : slots)
        out.push_back(s.v);
    return out;
}

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

    // The calls so far, each checked to be an inquiry (or a change) of the light.
    static const std::vector<RecordedCall> &CallsThatInquire(bool inquire)
    {
        for (const RecordedCall &call : recording_host::Calls())
            EXPECT_TRUE(call.inquire == inquire && call.kind == kLight && call.name == kName);
        return recording_host::Calls();
    }

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

TEST_F(WorkingFlareCalls, LoadAsksForEveryValueInTheHostsOrder)
{
    ScriptTwoElements();
    Load();
    const WorkingFlare *f = instance_.workingFlare;
    ASSERT_NE(f, nullptr);
    const std::vector<RecordedCall> &calls = CallsThatInquire(true);
    ASSERT_EQ(calls.size(), 1u + 1 + 3 + 1 + 1);

    std::vector<int64_t> globals = calls[0].slots;
    int32_t *count = reinterpret_cast<int32_t *>(globals[globals.size() - 3]);
    EXPECT_EQ(globals, Slots({
        T("enabled"), &f->enabled, QI_GROUP,
        T("intensity"), &f->intensity, QI_GROUP,
        T("scale"), &f->scale, QI_GROUP,
        T("occlusionradius"), &f->occlusionradius, QI_GROUP,
        T("anamorphicstretch"), &f->anamorphicstretch, QI_GROUP,
        T("fastdrag"), T("enabled"), &f->fastdrag, QI_GROUP,
        T("randomseed"), &f->randomseed, QI_GROUP,
        T("color"), f->color, QI_GROUP,
        T("uselightparams"), T("enabled"), &f->uselightparams, QI_GROUP,
        T("angle"), &f->angle, QI_GROUP,
        T("glowbehindobjects"), T("enabled"), &f->glowbehindobjects, QI_GROUP,
        T("fadeifnearborder"), T("enabled"), &f->fadeifnearborder, QI_GROUP,
        T("fadeifbehindobjects"), T("enabled"), &f->fadeifbehindobjects, QI_GROUP,
        T("fadeifapproachingobjects"), T("enabled"), &f->fadeifapproachingobjects, QI_GROUP,
        T("fadewithdistance"), T("enabled"), &f->fadewithdistance, QI_GROUP,
        T("refdistance"), &f->refdistance, QI_GROUP,
        T("scaleglowwithdistance"), T("enabled"), &f->scaleglowwithdistance, QI_GROUP,
        T("scalereflexeswithdistance"), T("enabled"), &f->scalereflexeswithdistance, QI_GROUP,
        T("numelements"), count, QI_GROUP,
        QI_END}));

    // The element call: its index, then its values, in one group.
    const FlareElement *ring = f->firstElement;
    std::vector<int64_t> element = calls[1].slots;
    ASSERT_EQ(element.size(), 14u);
    EXPECT_EQ(calls[1].indexes, std::vector<int32_t>{0});
    int32_t *parameterCount = reinterpret_cast<int32_t *>(element[3]);
    EXPECT_EQ(element, Slots({T("element"), reinterpret_cast<int32_t *>(element[1]),
                              T("numparameterdefinitions"), parameterCount,
                              T("enabled"), &ring->enabled, T("description"), &ring->description,
                              T("name"), &ring->name, T("guid"), &ring->guid, QI_GROUP,
                              QI_END}));

    // The first parameter call of the ring.
    const FlareParameter *gradient = ring->firstParameter;
    std::vector<int64_t> parameter = calls[2].slots;
    ASSERT_EQ(parameter.size(), 59u);
    const int64_t e = parameter[1], p = parameter[4];
    const int64_t colours = parameter[52], offsets = parameter[53], block = parameter[56];
    EXPECT_EQ(parameter, Slots({
        T("element"), reinterpret_cast<int32_t *>(e), QI_GROUP,
        T("parameter"), reinterpret_cast<int32_t *>(p),
        T("parameterid"), &gradient->parameterid,
        T("definition"), T("type"), &gradient->type,
        T("definition"), T("guid"), &gradient->guid,
        T("definition"), T("description"), &gradient->description,
        T("definition"), T("name"), &gradient->name,
        T("definition"), T("absminrange"), gradient->absminrange,
        T("definition"), T("absmaxrange"), gradient->absmaxrange,
        T("definition"), T("uiminrange"), gradient->uiminrange,
        T("definition"), T("uimaxrange"), gradient->uimaxrange,
        T("definition"), T("defaultvalue"), gradient->defaultvalue,
        T("definition"), T("delta"), gradient->delta,
        T("definition"), T("precision"), &gradient->precision,
        T("definition"), T("floatarg"), T("enabled"), &gradient->floatarg,
        T("definition"), T("displayaspercentage"), T("enabled"), &gradient->displayaspercentage,
        T("value"), gradient->Qv_Current_Value,
        T("gradientdata"), &gradient->gradientCount, reinterpret_cast<float **>(colours),
            reinterpret_cast<float **>(offsets),
        T("arbitrarydata"), &gradient->arbitraryDataSize, reinterpret_cast<char **>(block),
            QI_GROUP,
        QI_END}));

    // Element and parameter indexes, as the host saw them; parameters
    // restart at 0 for the second element.
    EXPECT_EQ(calls[2].indexes, (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(calls[3].indexes, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(calls[4].indexes, (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(calls[5].indexes, (std::vector<int32_t>{1}));
    EXPECT_EQ(calls[6].indexes, (std::vector<int32_t>{1, 0}));
}

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

TEST_F(WorkingFlareCalls, CommitSendsEveryEditableValueAndNothingElse)
{
    ScriptTwoElements();
    Load();
    recording_host::ClearCalls();
    const WorkingFlare *f = instance_.workingFlare;
    CommitWorkingFlare(&instance_, kLight, kName);
    const std::vector<RecordedCall> &calls = CallsThatInquire(false);
    ASSERT_EQ(calls.size(), 1u + (1 + 3) + (1 + 1));
    EXPECT_EQ(calls[0].slots, Slots({
        T("enabled"), f->enabled, QI_GROUP,
        T("intensity"), &f->intensity, QI_GROUP,
        T("scale"), &f->scale, QI_GROUP,
        T("occlusionradius"), &f->occlusionradius, QI_GROUP,
        T("anamorphicstretch"), &f->anamorphicstretch, QI_GROUP,
        T("fastdrag"), T("enabled"), f->fastdrag, QI_GROUP,
        T("randomseed"), &f->randomseed, QI_GROUP,
        T("color"), T("rgb"), f->color, QI_GROUP,
        T("uselightparams"), T("enabled"), f->uselightparams, QI_GROUP,
        T("angle"), &f->angle, QI_GROUP,
        T("glowbehindobjects"), T("enabled"), f->glowbehindobjects, QI_GROUP,
        T("fadeifnearborder"), T("enabled"), f->fadeifnearborder, QI_GROUP,
        T("fadeifbehindobjects"), T("enabled"), f->fadeifbehindobjects, QI_GROUP,
        T("fadeifapproachingobjects"), T("enabled"), f->fadeifapproachingobjects, QI_GROUP,
        T("fadewithdistance"), T("enabled"), f->fadewithdistance, QI_GROUP,
        T("refdistance"), &f->refdistance, QI_GROUP,
        T("scaleglowwithdistance"), T("enabled"), f->scaleglowwithdistance, QI_GROUP,
        T("scalereflexeswithdistance"), T("enabled"), f->scalereflexeswithdistance, QI_GROUP,
        QI_END}));

    const FlareElement *ring = f->firstElement, *disc = ring->next;
    EXPECT_EQ(calls[1].slots,
              Slots({T("element"), ring->guid, T("enabled"), ring->enabled, QI_GROUP, QI_END}));
    int index = 0;
    for (const FlareParameter *p = ring->firstParameter; p; p = p->next, ++index) {
        std::vector<int64_t> slots = calls[size_t(2 + index)].slots;
        ASSERT_EQ(slots.size(), 16u);
        EXPECT_EQ(calls[size_t(2 + index)].indexes, std::vector<int32_t>{index});
        EXPECT_EQ(slots, Slots({T("element"), ring->guid, QI_GROUP,
                                T("parameter"), reinterpret_cast<int32_t *>(slots[4]),
                                T("value"), p->Qv_Current_Value,
                                T("gradientdata"), &p->gradientCount, p->gradientColors,
                                    p->gradientOffsets,
                                T("arbitrarydata"), &p->arbitraryDataSize, p->arbitraryData,
                                    QI_GROUP,
                                QI_END}));
    }
    EXPECT_EQ(calls[5].slots,
              Slots({T("element"), disc->guid, T("enabled"), disc->enabled, QI_GROUP, QI_END}));
    EXPECT_EQ(calls[6].indexes, std::vector<int32_t>{0}) << "p restarts for each element";
    EXPECT_EQ(calls[6].slots[1], reinterpret_cast<int64_t>(disc->guid));
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
