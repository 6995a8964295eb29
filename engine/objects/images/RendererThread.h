#pragma once
// A second renderer on a thread of its own, so that a large batch of shape
// images is drawn on two cores: LibreOffice draws on one core per process.
// The renderer is made, used and ended on that thread only, since its server
// lives as long as the thread that started it.

#include <condition_variable>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/render/SlideRenderer.h"

namespace quillmere::engine {

class RendererThread {
 public:
  explicit RendererThread(RendererSetup setup);
  // Waits for the job in hand, then ends the renderer and the thread.
  ~RendererThread();
  RendererThread(const RendererThread&) = delete;
  RendererThread& operator=(const RendererThread&) = delete;

  // Runs the job with the thread's renderer; one job at a time. The future
  // carries what the job threw.
  std::future<void> Run(std::function<void(SlideRenderer&)> job);

 private:
  void Serve(RendererSetup setup);

  std::mutex mutex_;
  std::condition_variable wake_;
  std::packaged_task<void(SlideRenderer&)> job_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace quillmere::engine
