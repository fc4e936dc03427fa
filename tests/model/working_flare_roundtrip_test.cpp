// The working model against the real host: load, edit values of every
// parameter type, commit, load again; and what a release gives back.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "tests/support/token.h"

namespace {

// Everything a commit sends, as text; floats in hexadecimal, exact.
std::string Sent(const WorkingFlare &f)
{
    std::ostringstream out;
    out << std::hexfloat << f.enabled << ' ' << f.intensity << ' ' << f.scale << ' '
        << f.occlusionradius << ' ' << f.anamorphicstretch << ' ' << f.fastdrag << ' '
        << f.randomseed << ' ' << f.color[0] << ' ' << f.color[1] << ' ' << f.color[2] << ' '
        << f.uselightparams << ' ' << f.angle << ' ' << f.glowbehindobjects << ' '
        << f.fadeifnearborder << ' ' << f.fadeifbehindobjects << ' ' << f.fadeifapproachingobjects
        << ' ' << f.fadewithdistance << ' ' << f.refdistance << ' ' << f.scaleglowwithdistance
        << ' ' << f.scalereflexeswithdistance << ' ' << f.numelements;
    for (const FlareElement *e = f.firstElement; e; e = e->next) {
        out << '\n' << e->name << ' ' << e->guid << ' ' << e->enabled;
        for (const FlareParameter *p = e->firstParameter; p; p = p->next) {
            out << " | " << p->name << ' ' << p->type;
            for (float v : p->Qv_Current_Value)
                out << ' ' << v;
            for (int32_t i = 0; i < p->gradientCount; ++i)
                out << ' ' << p->gradientOffsets[i] << ':' << p->gradientColors[3 * i] << ','
                    << p->gradientColors[3 * i + 1] << ',' << p->gradientColors[3 * i + 2];
            if (p->arbitraryDataSize > 0)
                out << ' ' << std::string(p->arbitraryData, size_t(p->arbitraryDataSize));
        }
    }
    return out.str();
}

// Sets a value of every parameter type to something other than it was,
// within the parameter's limits.
void EditEveryParameter(WorkingFlare &flare)
{
    for (FlareElement *e = flare.firstElement; e; e = e->next) {
        e->enabled = e->enabled == T("on") ? T("off") : T("on");
        for (FlareParameter *p = e->firstParameter; p; p = p->next) {
            float *v = p->Qv_Current_Value;
            if (p->type == T("floatslider") || p->type == T("angle")) {
                v[0] = (p->uiminrange[0] + p->uimaxrange[0]) * 0.37f;
            } else if (p->type == T("intslider")) {
                v[0] = float(int(p->uimaxrange[0]) - 1);
            } else if (p->type == T("checkbox")) {
                v[0] = v[0] != 0.0f ? 0.0f : 1.0f;
            } else if (p->type == T("color")) {
                v[0] = 0.25f, v[1] = 0.5f, v[2] = 0.75f;
            } else if (p->type == T("list")) {
                v[0] = v[0] == p->absminrange[0] ? p->absmaxrange[0] : p->absminrange[0];
            } else if (p->type == T("point")) {
                v[0] = 0.5f, v[1] = -0.25f;
            } else if (p->type == T("gradient")) {
                Qi_Free_Memory(p->gradientColors);
                Qi_Free_Memory(p->gradientOffsets);
                p->gradientCount = 3;
                p->gradientColors = static_cast<float *>(Qi_Alloc_Memory(0, 1, 36));
                p->gradientOffsets = static_cast<float *>(Qi_Alloc_Memory(0, 1, 12));
                const float colours[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
                const float offsets[3] = {0.0f, 0.25f, 1.0f};
                std::memcpy(p->gradientColors, colours, sizeof colours);
                std::memcpy(p->gradientOffsets, offsets, sizeof offsets);
            } else if (p->type == T("arbitrarydata") && p->arbitraryDataSize > 0) {
                p->arbitraryData[0] = char(p->arbitraryData[0] ^ 0x5A);
            }
        }
    }
    flare.intensity = 2.5f;
    flare.scale = 0.75f;
    flare.angle = 33.0f;
    flare.randomseed = 77;
    flare.color[2] = 0.5f;
    flare.refdistance = 250.0f;
    flare.occlusionradius = 0.2f;
    flare.anamorphicstretch = 1.5f;
    flare.enabled = T("off");
    for (QiToken *toggle : {&flare.fastdrag, &flare.uselightparams, &flare.glowbehindobjects,
                            &flare.fadeifnearborder, &flare.fadeifbehindobjects,
                            &flare.fadeifapproachingobjects, &flare.fadewithdistance,
                            &flare.scaleglowwithdistance, &flare.scalereflexeswithdistance})
        *toggle = *toggle == T("on") ? T("off") : T("on");
}

class WorkingFlareRoundTrip : public testing::Test {
protected:
    void SetUp() override
    {
        QiHost_Create_Default_Scene();
        live_ = QiHost_Live_Blocks();
        QiHost_Clear_Errors();
    }
    void TearDown() override
    {
        ReleaseWorkingFlare(&a_);
        ReleaseWorkingFlare(&b_);
        EXPECT_EQ(QiHost_Live_Blocks(), live_) << "every copy is released";
        EXPECT_EQ(QiHost_Error_Count(), 0) << "the host accepted every call";
    }
    void Load(PluginInstance &instance) { LoadWorkingFlare(&instance, kind_, QIHOST_DEFAULT_LIGHT); }
    void Commit(PluginInstance &instance)
    {
        CommitWorkingFlare(&instance, kind_, QIHOST_DEFAULT_LIGHT);
    }

    QiToken kind_ = T("light");
    PluginInstance a_ = {}, b_ = {};
    int64_t live_ = 0;
};

TEST_F(WorkingFlareRoundTrip, EditsOfEveryTypeReachTheHost)
{
    Load(a_);
    ASSERT_GE(a_.workingFlare->numelements, 6);
    EditEveryParameter(*a_.workingFlare);
    Commit(a_);
    Load(b_);
    EXPECT_EQ(Sent(*a_.workingFlare), Sent(*b_.workingFlare));
}

// A commit without edits changes nothing; a release gives back every block.
TEST_F(WorkingFlareRoundTrip, CommitWithoutEditsChangesNothingAndReleaseGivesEveryBlockBack)
{
    Load(a_);
    EXPECT_GT(QiHost_Live_Blocks(), live_ + a_.workingFlare->numelements);
    Commit(a_);
    Load(b_);
    EXPECT_EQ(Sent(*a_.workingFlare), Sent(*b_.workingFlare));
    const FlareElement *first = b_.workingFlare->firstElement;
    EXPECT_EQ(first->guid, a_.workingFlare->firstElement->guid) << "the host's own text";
    ReleaseWorkingFlare(&b_);
    ReleaseWorkingFlare(&a_);
    EXPECT_EQ(a_.workingFlare, nullptr);
    EXPECT_EQ(QiHost_Live_Blocks(), live_);
    ReleaseWorkingFlare(&a_);
}

}  // namespace
