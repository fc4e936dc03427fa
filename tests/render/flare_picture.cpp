#include "tests/render/flare_picture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>

#include "host/core/qi_host.h"

namespace {

std::atomic<int> lightsMade{0};

QiToken LightToken() { return Qi_Inquire_Token("light"); }

}  // namespace

TestLight::TestLight() : name_("RenderTestLight" + std::to_string(++lightsMade))
{
    object_ = qi::CreateObject(LightToken(), name_);
    if (!object_)
        ADD_FAILURE() << "cannot create " << name_;
}

TestLight::~TestLight() { qi::RemoveObject(LightToken(), name_); }

void TestLight::KeepOnly(std::initializer_list<const char *> types)
{
    auto &elements = object_->flare.elements;
    for (size_t i = elements.size(); i-- > 0;) {
        bool keep = false;
        for (const char *type : types)
            keep |= std::strcmp(elements[i]->type->name, type) == 0;
        if (!keep)
            qi::DeleteElement(object_->flare, i);
    }
}

qi::Element &TestLight::Only(const char *type)
{
    KeepOnly({type});
    object_->flare.elements.resize(1);
    return Find(type);
}

void TestLight::RemoveFirst(const char *type)
{
    auto &elements = object_->flare.elements;
    for (size_t i = 0; i < elements.size(); ++i)
        if (std::strcmp(elements[i]->type->name, type) == 0) {
            qi::DeleteElement(object_->flare, i);
            return;
        }
    ADD_FAILURE() << "no element of type " << type;
}

qi::Element &TestLight::Find(const char *type)
{
    for (auto &element : object_->flare.elements)
        if (std::strcmp(element->type->name, type) == 0)
            return *element;
    ADD_FAILURE() << "no element of type " << type;
    static qi::Element none;
    return none;
}

void SetParam(qi::Element &element, const char *name, float a, float b, float c)
{
    int i = element.type ? element.type->ParamIndex(name) : -1;
    if (i < 0) {
        ADD_FAILURE() << "no parameter " << name;
        return;
    }
    float value[3] = {a, b, c};
    qi::SetParamValue(element.type->params[size_t(i)], element.values[size_t(i)], value);
}

float Picture::Luminance(int32_t x, int32_t y) const
{
    size_t i = size_t(y) * size_t(width) + size_t(x);
    return 0.3f * red[i] + 0.59f * green[i] + 0.11f * blue[i];
}

double Picture::Total() const
{
    double sum = 0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            sum += Luminance(x, y);
    return sum;
}

float Picture::Brightest(int32_t *bx, int32_t *by) const
{
    float best = -1;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            if (Luminance(x, y) > best) {
                best = Luminance(x, y);
                if (bx && by)
                    *bx = x, *by = y;
            }
    return best;
}

bool Picture::Finite() const
{
    for (size_t i = 0; i < red.size(); ++i)
        if (!std::isfinite(red[i]) || !std::isfinite(green[i]) || !std::isfinite(blue[i]))
            return false;
    return true;
}

bool Picture::SameAs(const Picture &o) const
{
    size_t bytes = red.size() * sizeof(float);
    return width == o.width && height == o.height && red.size() == o.red.size() &&
           std::memcmp(red.data(), o.red.data(), bytes) == 0 &&
           std::memcmp(green.data(), o.green.data(), bytes) == 0 &&
           std::memcmp(blue.data(), o.blue.data(), bytes) == 0;
}

BufferOwner NewBuffer(int32_t width, int32_t height, float plane4)
{
    BufferOwner b(Qi_Alloc_Global_GBuffer(width, height, height, 0));
    if (b)
        std::fill(b->plane4, b->plane4 + size_t(width) * size_t(height), plane4);
    else
        ADD_FAILURE() << "no buffer of " << width << "x" << height;
    return b;
}

Picture Render(TestLight &light, const RenderSetup &setup)
{
    Picture p;
    BufferOwner b = NewBuffer(setup.width, setup.height, setup.plane4);
    if (!b)
        return p;
    size_t pixels = size_t(setup.width) * size_t(setup.height);
    if (setup.prepare)
        setup.prepare(*b);
    Qi_LensFlareApplyToGBuffer(b.get(), LightToken(), light.name(), int32_t(setup.lightX),
                               int32_t(setup.lightY), nullptr);
    p.width = setup.width;
    p.height = setup.height;
    p.red.assign(b->red, b->red + pixels);
    p.green.assign(b->green, b->green + pixels);
    p.blue.assign(b->blue, b->blue + pixels);
    return p;
}

double Moments::Orientation() const
{
    return 0.5 * std::atan2(2 * xy, xx - yy) * 180.0 / 3.14159265358979323846;
}

Moments MomentsOf(const Picture &p, const std::function<bool(int32_t, int32_t)> &filter)
{
    Moments m;
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (int32_t y = 0; y < p.height; ++y)
        for (int32_t x = 0; x < p.width; ++x) {
            if (filter && !filter(x, y))
                continue;
            double w = p.Luminance(x, y);
            m.total += w;
            sx += w * x;
            sy += w * y;
            sxx += w * x * x;
            syy += w * y * y;
            sxy += w * x * y;
        }
    if (m.total <= 0)
        return m;
    m.x = sx / m.total;
    m.y = sy / m.total;
    m.xx = sxx / m.total - m.x * m.x;
    m.yy = syy / m.total - m.y * m.y;
    m.xy = sxy / m.total - m.x * m.y;
    return m;
}
