// Threads that help the calling thread with the rows of a render. They are
// made on first use and kept, asleep between renders, for the life of the
// process: making a thread costs about a millisecond under Wine, more than a
// small render.
#ifndef HOST_RENDER_WORKER_POOL_H
#define HOST_RENDER_WORKER_POOL_H

#include <functional>

namespace qi {
namespace render {

// Runs job(1) .. job(count) on pool threads while the caller goes on; the
// destructor waits until they have returned. No helper starts (started() is
// 0) while another render holds the pool, for example one started from a
// progress callback, or when no thread can be made: the caller then does all
// the work itself.
class Helpers {
public:
    Helpers(int count, std::function<void(int worker)> job);
    ~Helpers();
    Helpers(const Helpers &) = delete;
    Helpers &operator=(const Helpers &) = delete;

    int started() const { return started_; }

private:
    int started_;
};

}  // namespace render
}  // namespace qi

#endif
