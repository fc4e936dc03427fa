// The host's element catalogue and scene objects.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "host/core/flare_model.h"

namespace qi {
namespace {

TEST(Catalogue, DefinitionsAreUsableByAnEditor)
{
    const std::vector<ElementType> &types = Catalogue();
    ASSERT_GE(types.size(), 8u);
    std::set<ParamType> typesUsed;
    std::set<std::string> names, guids;
    bool radius = false, length = false;
    for (const ElementType &type : types) {
        EXPECT_TRUE(names.insert(type.name).second) << type.name;
        EXPECT_GT(std::strlen(type.description), 3u) << type.name;
        for (const ParamDef &def : type.params) {
            SCOPED_TRACE(std::string(type.name) + "." + def.name);
            typesUsed.insert(def.type);
            radius |= std::strcmp(def.name, "radius") == 0;
            length |= std::strcmp(def.name, "length") == 0;
            EXPECT_TRUE(guids.insert(std::to_string(def.guid)).second);
            for (int i = 0; i < 3; ++i) {
                EXPECT_TRUE(std::isfinite(def.uiMin[i]) && std::isfinite(def.uiMax[i]));
                EXPECT_LE(def.absMin[i], def.uiMin[i]);
                EXPECT_LE(def.uiMin[i], def.uiMax[i]);
                EXPECT_LE(def.uiMax[i], def.absMax[i]);
                EXPECT_LE(def.absMin[i], def.defaultValue[i]);
                EXPECT_LE(def.defaultValue[i], def.absMax[i]);
            }
            if (def.type == ParamType::FloatSlider || def.type == ParamType::IntSlider ||
                def.type == ParamType::Angle) {
                EXPECT_LT(def.uiMin[0], def.uiMax[0]);
            }
            EXPECT_GE(def.precision, 0);
            EXPECT_LE(def.precision, 4);
            if (def.type == ParamType::Gradient) {
                ASSERT_GE(def.defaultGradient.size(), 2u);
                EXPECT_EQ(def.defaultGradient.front().offset, 0.0f);
                EXPECT_EQ(def.defaultGradient.back().offset, 1.0f);
                for (size_t i = 1; i < def.defaultGradient.size(); ++i)
                    EXPECT_LE(def.defaultGradient[i - 1].offset, def.defaultGradient[i].offset);
            }
            if (def.type == ParamType::List) {
                // Every entry is "name:value"; the default is one of them.
                ASSERT_NE(def.listEntries, nullptr);
                bool found = false;
                for (const char *p = def.listEntries; *p;) {
                    const char *colon = std::strchr(p, ':');
                    ASSERT_NE(colon, nullptr);
                    int value = std::atoi(colon + 1);
                    found |= value == int(def.defaultValue[0]);
                    const char *comma = std::strchr(colon, ',');
                    p = comma ? comma + 1 : colon + std::strlen(colon);
                }
                EXPECT_TRUE(found);
            }
        }
    }
    EXPECT_EQ(typesUsed.size(), 9u) << "every parameter type is used";
    EXPECT_TRUE(radius && length);
    for (const char *reflex : {"inter", "dscflx", "rngflx", "prflx"})
        EXPECT_NE(FindElementType(reflex), nullptr) << reflex;
    EXPECT_EQ(FindElementType("Inter"), nullptr);
}

TEST(Objects, LightsAndCamerasAreNamedPerKind)
{
    ClearObjects();
    QiToken light = Qi_Inquire_Token("light"), camera = Qi_Inquire_Token("camera");
    HostObject *l = CreateObject(light, "Light1");
    ASSERT_NE(l, nullptr);
    EXPECT_FALSE(l->flare.elements.empty());
    EXPECT_EQ(CreateObject(light, "Light1"), nullptr);
    EXPECT_NE(CreateObject(camera, "Light1"), nullptr);
    EXPECT_EQ(CreateObject(Qi_Inquire_Token("mesh"), "M"), nullptr);
    EXPECT_EQ(FindObject(light, "Light1"), l);
    EXPECT_EQ(FindObject(light, "light1"), nullptr);
    EXPECT_TRUE(RemoveObject(light, "Light1"));
    EXPECT_FALSE(RemoveObject(light, "Light1"));
    EXPECT_NE(FindObject(camera, "Light1"), nullptr);
    ClearObjects();
}

}  // namespace
}  // namespace qi
