// Qi_LensFlareApplyToGBuffer: renders the flare of a host object into a
// buffer and reports progress to the caller on the caller's thread.
#include <algorithm>
#include <chrono>
#include <exception>
#include <thread>

#include "host/core/call_trace.h"
#include "host/core/flare_model.h"
#include "host/core/qi_host.h"
#include "host/core/tokens.h"
#include "host/render/buffer_painter.h"
#include "host/render/flare_plan.h"
#include "host/render/render_settings.h"

namespace {

const char kOrigin[] = "Qi_LensFlareApplyToGBuffer()";
constexpr int kDelaySteps = 100;

// Passes "start", "update" with a fraction that never goes back, and "end"
// to the caller's callback, if there is one.
class Progress {
public:
    explicit Progress(QiProgressFn callback) : callback_(callback)
    {
        if (callback_)
            callback_(QI_TOKEN("start"), 0.0f);
        Update(0.0f);
    }
    ~Progress()
    {
        Update(1.0f);
        if (callback_)
            callback_(QI_TOKEN("end"), 1.0f);
    }
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    void Update(float fraction)
    {
        fraction = std::min(std::max(fraction, last_), 1.0f);
        if (callback_ && (fraction > last_ || !reported_))
            callback_(QI_TOKEN("update"), fraction);
        last_ = fraction;
        reported_ = true;
    }

private:
    QiProgressFn callback_;
    float last_ = 0.0f;
    bool reported_ = false;
};

bool Usable(const QiGBuffer *b)
{
    return b && b->width > 0 && b->height > 0 && b->red && b->green && b->blue;
}

// Renders the object's flare into the buffer, then waits out the test
// delay, reporting progress all along.
void Render(const qi::HostObject &object, QiGBuffer &buffer, int32_t lightX, int32_t lightY,
            QiProgressFn progress)
{
    int delay = qi::render::RenderDelayMilliseconds();
    float share = delay > 0 ? 0.5f : 1.0f;
    Progress report(progress);
    qi::render::Plan plan =
        qi::render::BuildPlan(object, buffer.width, buffer.height, lightX, lightY, buffer.plane4);
    qi::render::PaintPlan(plan, buffer,
                          qi::render::RenderThreads(int64_t(buffer.width) * buffer.height),
                          [&](float done) { report.Update(share * done); });
    report.Update(share);
    // Each step waits until its share of the delay has passed: a sleep under
    // Wine lasts whole milliseconds, cut down from what was asked.
    using Clock = std::chrono::steady_clock;
    Clock::time_point begin = Clock::now();
    for (int step = 1; delay > 0 && step <= kDelaySteps; ++step) {
        Clock::time_point until =
            begin + std::chrono::microseconds(int64_t(delay) * 1000 * step / kDelaySteps);
        while (Clock::now() < until)
            std::this_thread::sleep_for(until - Clock::now());
        report.Update(share + share * float(step) / kDelaySteps);
    }
}

}  // namespace

extern "C" void Qi_LensFlareApplyToGBuffer(QiGBuffer *buffer, QiToken kind, const char *name,
                                           int32_t lightX, int32_t lightY, QiProgressFn progress)
{
    qi::TraceCall("Qi_LensFlareApplyToGBuffer");
    if (!Usable(buffer)) {
        Qi_Report_Error(4, "ERR_BAD_GBUFFER", kOrigin, "no buffer, or one without pixels");
        return;
    }
    const qi::HostObject *object = name ? qi::FindObject(kind, name) : nullptr;
    if (!object) {
        Qi_Report_Error(4, "ERR_NO_SUCH_OBJECT", kOrigin, name ? name : "(null name)");
        return;
    }
    try {
        Render(*object, *buffer, lightX, lightY, progress);
    } catch (const std::exception &) {
        Qi_Report_Error(3, "ERR_OUT_OF_MEMORY", kOrigin, "the flare could not be rendered whole");
    }
}
