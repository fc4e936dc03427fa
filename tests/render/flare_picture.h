// Rendering a flare of a test light and measuring the picture.
#ifndef TESTS_RENDER_FLARE_PICTURE_H
#define TESTS_RENDER_FLARE_PICTURE_H

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "host/core/flare_model.h"

// A light of the host's scene with the default flare, removed again when
// the test ends.
class TestLight {
public:
    TestLight();
    ~TestLight();
    TestLight(const TestLight &) = delete;
    TestLight &operator=(const TestLight &) = delete;

    const char *name() const { return name_.c_str(); }
    qi::HostObject &object() { return *object_; }
    qi::FlareGlobals &globals() { return object_->flare.globals; }
    // Keeps only the elements of the given types.
    void KeepOnly(std::initializer_list<const char *> types);
    // Keeps only the first element of the type, and returns it.
    qi::Element &Only(const char *type);
    void RemoveFirst(const char *type);
    // The first element of the type (the test fails when there is none).
    qi::Element &Find(const char *type);

private:
    std::string name_;
    qi::HostObject *object_;
};

struct FreeBuffer {
    void operator()(QiGBuffer *buffer) const { Qi_Free_Global_GBuffer(buffer); }
};
// A render buffer released when it goes out of scope.
using BufferOwner = std::unique_ptr<QiGBuffer, FreeBuffer>;
// A buffer of that size with plane 4 at `plane4` (nothing in front of the light).
BufferOwner NewBuffer(int32_t width, int32_t height, float plane4 = 1.0f);

// Sets a parameter of an element through the catalogue's limits.
void SetParam(qi::Element &element, const char *name, float a, float b = 0, float c = 0);

struct Picture {
    int32_t width = 0, height = 0;
    std::vector<float> red, green, blue;

    float Luminance(int32_t x, int32_t y) const;
    double Total() const;
    // The largest luminance, and where it lies.
    float Brightest(int32_t *x = nullptr, int32_t *y = nullptr) const;
    bool Finite() const;
    // Every plane equal to the byte.
    bool SameAs(const Picture &other) const;
};

struct RenderSetup {
    int32_t width = 240, height = 160;
    double lightX = 60, lightY = 110;  // pixels, y up from the bottom row
    RenderSetup &LightAt(double x, double y) { return lightX = x, lightY = y, *this; }
    float plane4 = 1.0f;
    // Runs after the buffer is filled and before the render.
    std::function<void(QiGBuffer &)> prepare;
};

Picture Render(TestLight &light, const RenderSetup &setup);

// Luminance-weighted moments of the picture's pixels that pass the filter
// (all when none is given).
struct Moments {
    double total = 0, x = 0, y = 0;  // sum and centroid
    double xx = 0, yy = 0, xy = 0;   // central second moments
    double Orientation() const;      // principal axis, degrees in -90..90
};
Moments MomentsOf(const Picture &picture,
                  const std::function<bool(int32_t x, int32_t y)> &filter = {});

#endif
