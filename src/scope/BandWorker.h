// A thread kept for the whole life of the scope to draw one band of the map. Everything it
// draws with (texts laid out, fonts and their glyphs, outlines) is made, used and dropped in
// that one thread: the font machinery keeps its fonts per thread and frees them when the
// thread ends, so caches must not outlive the thread that filled them.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace zaz {

struct DrawCaches;

class BandWorker {
public:
    BandWorker();
    // Drops the caches in the thread, then ends it.
    ~BandWorker();
    BandWorker(const BandWorker &) = delete;
    BandWorker &operator=(const BandWorker &) = delete;

    // Runs job with the thread's caches; wait() returns once it has run. One job at a time.
    void start(std::function<void(DrawCaches &)> job);
    void wait();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void(DrawCaches &)> job_; // the job waiting or running
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace zaz
