#include "host/render/buffer_painter.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "host/render/row_painter.h"
#include "host/render/worker_pool.h"

namespace qi {
namespace render {

namespace {

constexpr int kChunkRows = 16;  // even: "fastdrag" row pairs never straddle chunks

struct Job {
    const Plan &plan;
    QiGBuffer &buffer;
    int chunks;
    std::atomic<int> nextChunk{0};
    std::mutex lock;
    std::condition_variable chunkDone;
    int rowsDone = 0;                         // under lock
    std::vector<std::vector<float>> scratch;  // per worker: half-resolution rows

    Job(const Plan &p, QiGBuffer &b)
        : plan(p), buffer(b), chunks((b.height + kChunkRows - 1) / kChunkRows)
    {
    }
};

size_t Offset(const QiGBuffer &b, int y) { return size_t(y) * size_t(b.width); }

// A row of `count` samples, sample i at x = x0 + i * step.
RowTarget Row(float *red, float *green, float *blue, const float *mask, int maskStep, int count,
              float x0, float step, float y)
{
    return RowTarget{red, green, blue, mask, maskStep, count, x0, step, y, count, 0};
}

void PaintFullRow(Job &job, int y)
{
    QiGBuffer &b = job.buffer;
    size_t at = Offset(b, y);
    RowTarget row = Row(b.red + at, b.green + at, b.blue + at, b.plane4 ? b.plane4 + at : nullptr,
                        1, b.width, 0.0f, 1.0f, float(y));
    PaintRow(job.plan, row);
}

// One sample for each 2 x 2 block, taken at the block's centre and added to
// its (up to) four pixels.
void PaintRowPair(Job &job, int worker, int y)
{
    QiGBuffer &b = job.buffer;
    int samples = (b.width + 1) / 2;
    std::vector<float> &s = job.scratch[size_t(worker)];
    float *red = s.data(), *green = red + samples, *blue = green + samples;
    RowTarget row = Row(red, green, blue, b.plane4 ? b.plane4 + Offset(b, y) : nullptr, 2, samples,
                        0.5f, 2.0f, float(y) + 0.5f);
    PaintRow(job.plan, row);
    if (row.touchedHigh <= row.touchedLow)
        return;
    int rows = y + 1 < b.height ? 2 : 1;
    int x0 = 2 * row.touchedLow, x1 = std::min(2 * row.touchedHigh, b.width);
    for (int r = 0; r < rows; ++r) {
        size_t at = Offset(b, y + r);
        float *pr = b.red + at, *pg = b.green + at, *pb = b.blue + at;
        for (int x = x0; x < x1; ++x) {
            pr[x] += red[x >> 1];
            pg[x] += green[x >> 1];
            pb[x] += blue[x >> 1];
        }
    }
    std::fill(red + row.touchedLow, red + row.touchedHigh, 0.0f);
    std::fill(green + row.touchedLow, green + row.touchedHigh, 0.0f);
    std::fill(blue + row.touchedLow, blue + row.touchedHigh, 0.0f);
}

// Paints chunks until none is left; returns false when there was none.
bool PaintChunk(Job &job, int worker)
{
    int chunk = job.nextChunk++;
    if (chunk >= job.chunks)
        return false;
    int y0 = chunk * kChunkRows, y1 = std::min(y0 + kChunkRows, job.buffer.height);
    if (job.plan.halfResolution)
        for (int y = y0; y < y1; y += 2)
            PaintRowPair(job, worker, y);
    else
        for (int y = y0; y < y1; ++y)
            PaintFullRow(job, y);
    {
        std::lock_guard<std::mutex> guard(job.lock);
        job.rowsDone += y1 - y0;
    }
    job.chunkDone.notify_one();
    return true;
}

}  // namespace

void PaintPlan(const Plan &plan, QiGBuffer &buffer, int threads,
               const std::function<void(float)> &progress)
{
    if (plan.order.empty() || buffer.width <= 0 || buffer.height <= 0)
        return;
    Job job(plan, buffer);
    int workers = std::max(1, std::min(threads, job.chunks));
    if (plan.halfResolution)
        job.scratch.assign(size_t(workers),
                           std::vector<float>(3 * size_t((buffer.width + 1) / 2), 0.0f));
    Helpers helpers(workers - 1, [&job](int worker) {
        while (PaintChunk(job, worker)) {
        }
    });
    int reported = 0;
    auto report = [&](int rows) {
        if (rows > reported)
            progress(float(rows) / float(buffer.height));
        reported = rows;
    };
    while (PaintChunk(job, 0)) {
        std::unique_lock<std::mutex> guard(job.lock);
        int rows = job.rowsDone;
        guard.unlock();
        report(rows);
    }
    // The helpers' last chunks: reported as they come in.
    std::unique_lock<std::mutex> guard(job.lock);
    while (job.rowsDone < buffer.height) {
        job.chunkDone.wait(guard, [&] { return job.rowsDone > reported; });
        int rows = job.rowsDone;
        guard.unlock();
        report(rows);
        guard.lock();
    }
}

}  // namespace render
}  // namespace qi
