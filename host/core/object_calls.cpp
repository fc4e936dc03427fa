// Qi_Light, Qi_Remove and Qi_Handle_Name_Exists: creating, removing and
// finding the scene's named objects.
#include <cstring>

#include "host/core/flare_calls.h"
#include "host/core/flare_model.h"
#include "host/core/keyword_list.h"
#include "host/core/tokens.h"

namespace qi {

namespace {

// The settings a Qi_Light list gives; unset ones keep the light's values.
struct LightSettings {
    bool hasColor = false, hasIntensity = false, hasDistance = false;
    float color[3] = {0, 0, 0};
    float intensity = 0, distance = 0;
};

bool ReadNumber(KeywordList &list, const char *keyword, float lo, float hi, float &number)
{
    void *address;
    if (!list.Address(address, keyword))
        return false;
    ReadFloats(address, &number, 1);
    number = ClampNumber(number, lo, hi);
    return true;
}

// One entry of a Qi_Light list:
//   "model" "point"                the only light model of this host
//   "bdfsave" "enabled" on|off     whether a scene file keeps the light; accepted, the
//                                  host saves no scene files
//   "color" "rgb" &rgb             the light's colour, 0..1
//   "intensity" &f                 the light's intensity
//   "distance" &f                  the light's distance from the camera
bool Step(KeywordList &list, QiToken token, LightSettings &settings)
{
    if (token == QI_GROUP)
        return true;
    if (token == QI_TOKEN("model")) {
        QiToken model;
        if (!list.Keyword(model))
            return false;
        if (model != QI_TOKEN("point"))
            return list.Fail(kErrBadValue, "light model " + DescribeSlot(model) +
                                               " (this host has \"point\" lights only)");
        return true;
    }
    if (token == QI_TOKEN("bdfsave")) {
        bool on;
        return list.Expect("enabled", "bdfsave") && SwitchValue(list, on, "bdfsave");
    }
    if (token == QI_TOKEN("color")) {
        void *address;
        if (!list.Expect("rgb", "color") || !list.Address(address, "color"))
            return false;
        ReadFloats(address, settings.color, 3);
        for (float &component : settings.color)
            component = ClampNumber(component, 0.0f, 1.0f);
        settings.hasColor = true;
        return true;
    }
    if (token == QI_TOKEN("intensity")) {
        settings.hasIntensity = true;
        return ReadNumber(list, "intensity", 0.0f, 1e4f, settings.intensity);
    }
    if (token == QI_TOKEN("distance")) {
        settings.hasDistance = true;
        return ReadNumber(list, "distance", 0.001f, 1e9f, settings.distance);
    }
    return list.BadKeyword(token, "is not a keyword of a light");
}

}  // namespace

void RunLight(const char *name, SlotSource &slots)
{
    KeywordList list(slots, "Qi_Light()");
    if (!name) {
        list.Fail(kErrBadValue, "a light needs a name");
        return;
    }
    LightSettings settings;
    QiToken token;
    if (!list.Keyword(token))
        return;
    while (token != QI_END)
        if (!Step(list, token, settings) || !list.Keyword(token))
            return;
    QiToken light = QI_TOKEN("light");
    HostObject *object = FindObject(light, name);
    if (!object)
        object = CreateObject(light, name);
    if (settings.hasColor)
        std::memcpy(object->lightColor, settings.color, sizeof settings.color);
    if (settings.hasIntensity)
        object->lightIntensity = settings.intensity;
    if (settings.hasDistance)
        object->distance = settings.distance;
}

void RunRemove(QiToken kind, const char *name, SlotSource &slots)
{
    KeywordList list(slots, "Qi_Remove()");
    if (list.ExpectEnd("the object's name") && !(name && RemoveObject(kind, name)))
        list.Fail(kErrNoObject, "no " + DescribeSlot(kind) + " named " + QuoteText(name));
}

void RunHandleNameExists(const char *name, int32_t *exists, SlotSource &slots)
{
    KeywordList list(slots, "Qi_Handle_Name_Exists()");
    int64_t kind;
    if (!list.Value(kind) || !list.ExpectEnd("the object's kind"))
        return;
    if (!exists) {
        list.Fail(kErrBadValue, "null address for the answer");
        return;
    }
    int32_t found = name && FindObject(kind, name) ? 1 : 0;
    std::memcpy(exists, &found, sizeof found);
}

}  // namespace qi
