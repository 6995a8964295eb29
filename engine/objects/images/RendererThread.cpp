#include "engine/objects/images/RendererThread.h"

#include <utility>

#include "support/files/Paths.h"

namespace quillmere::engine {

RendererThread::RendererThread(RendererSetup setup) : thread_([this, setup]() mutable { Serve(std::move(setup)); }) {}

RendererThread::~RendererThread() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

std::future<void> RendererThread::Run(std::function<void(SlideRenderer&)> job) {
  std::packaged_task<void(SlideRenderer&)> task(std::move(job));
  std::future<void> done = task.get_future();
  {
    std::lock_guard lock(mutex_);
    job_ = std::move(task);
  }
  wake_.notify_one();
  return done;
}

void RendererThread::Serve(RendererSetup setup) {
  {
    SlideRenderer renderer(std::move(setup));
    for (;;) {
      std::packaged_task<void(SlideRenderer&)> job;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || job_.valid(); });
        if (!job_.valid()) break;
        job = std::move(job_);
      }
      job(renderer);
    }
  }
  // The renderer's profile lies in this thread's own temporary folder.
  RemoveTempFolder();
}

}  // namespace quillmere::engine
