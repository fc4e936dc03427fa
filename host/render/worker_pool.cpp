#include "host/render/worker_pool.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>

namespace qi {
namespace render {

namespace {

struct Pool {
    std::mutex lock;
    std::condition_variable wake, done;
    int threads = 0;
    uint64_t generation = 0;
    int wanted = 0;
    int running = 0;
    bool busy = false;
    std::function<void(int)> job;
};

Pool &ThePool()
{
    static Pool *pool = new Pool;  // lives for the process, like its threads
    return *pool;
}

void Serve(Pool &pool, int worker, uint64_t seen)
{
    std::unique_lock<std::mutex> guard(pool.lock);
    for (;;) {
        pool.wake.wait(guard, [&] { return pool.generation != seen; });
        seen = pool.generation;
        if (worker > pool.wanted)
            continue;
        std::function<void(int)> job = pool.job;
        guard.unlock();
        job(worker);
        guard.lock();
        if (--pool.running == 0)
            pool.done.notify_all();
    }
}

}  // namespace

Helpers::Helpers(int count, std::function<void(int worker)> job) : started_(0)
{
    Pool &pool = ThePool();
    std::unique_lock<std::mutex> guard(pool.lock);
    if (pool.busy || count <= 0)
        return;
    while (pool.threads < count) {
        try {
            std::thread(Serve, std::ref(pool), pool.threads + 1, pool.generation).detach();
        } catch (const std::system_error &) {
            break;
        }
        ++pool.threads;
    }
    started_ = count < pool.threads ? count : pool.threads;
    if (started_ == 0)
        return;
    pool.busy = true;
    pool.job = std::move(job);
    pool.wanted = started_;
    pool.running = started_;
    ++pool.generation;
    guard.unlock();
    pool.wake.notify_all();
}

Helpers::~Helpers()
{
    if (started_ == 0)
        return;
    Pool &pool = ThePool();
    std::unique_lock<std::mutex> guard(pool.lock);
    pool.done.wait(guard, [&] { return pool.running == 0; });
    pool.job = nullptr;
    pool.busy = false;
}

}  // namespace render
}  // namespace qi
