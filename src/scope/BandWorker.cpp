#include "scope/BandWorker.h"

#include "scope/DrawCache.h"

#include <memory>

namespace zaz {

BandWorker::BandWorker() : thread_([this] { run(); })
{
}

BandWorker::~BandWorker()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BandWorker::start(std::function<void(DrawCaches &)> job)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        job_ = std::move(job);
        busy_ = true;
    }
    changed_.notify_all();
}

void BandWorker::wait()
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
}

void BandWorker::run()
{
    auto caches = std::make_unique<DrawCaches>();
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || stopping_; });
        if (busy_) {
            const std::function<void(DrawCaches &)> job = std::move(job_);
            lock.unlock();
            job(*caches);
            lock.lock();
            busy_ = false;
            changed_.notify_all();
            continue;
        }
        break; // stopping, nothing left to run
    }
    lock.unlock();
    caches.reset(); // in this thread, before its fonts go
}

} // namespace zaz
