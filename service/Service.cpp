#include "service/Service.h"

#include <signal.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include <httplib.h>

#include "cli/WorkerProcesses.h"
#include "component/DefaultRuntime.h"
#include "service/ExportStore.h"
#include "service/HttpApi.h"
#include "service/Metrics.h"
#include "service/WatchedWorkerPool.h"

namespace quillmere::service {

struct Service::Parts {
  explicit Parts(Service& service)
      : wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
        store(service.setup_.options.dataFolder,
              {service.setup_.options.queue, service.setup_.options.keepResults}, service.setup_.clock, metrics,
              [this] { Wake(); }),
        processes(service.setup_.workerCommand, service.setup_.options.workers, service.setup_.clock,
                  service.stopping_,
                  {[&service](std::string_view line) { service.setup_.log(line); },
                   [&service](std::string_view why) {
                     service.setup_.log("quillmere: images were not drawn: " + std::string(why));
                   }}),
        workers(processes, service.setup_.options.workers),
        soffice(InstalledOffice()),
        api{store,
            metrics,
            service.setup_.options.dataFolder,
            service.setup_.options.maxUploadBytes,
            service.setup_.token,
            service.setup_.defaults,
            service.setup_.options.workers,
            [this, &service] { return Health(service); },
            [this] { return MetricsGauges{store.Queued(), store.Running(), workers.WorkersUp(), workers.Restarts()}; }} {
    if (wake < 0) throw std::runtime_error(std::string("cannot make an eventfd: ") + std::strerror(errno));
    processes.WakeOn(wake);
    AddHttpApi(server, api);
  }
  ~Parts() { close(wake); }

  void Wake() const {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = write(wake, &one, sizeof one);
  }

  service::Health Health(const Service& service) const {
    const int up = workers.WorkersUp();
    const int wanted = service.setup_.options.workers;
    if (up < wanted) return {false, std::to_string(up) + " of " + std::to_string(wanted) + " workers are up"};
    if (service.setup_.defaults.images && soffice.empty())
      return {false, "no LibreOffice is installed to draw the images"};
    std::string text = std::to_string(up) + " workers are up";
    if (!soffice.empty()) text += "; LibreOffice is " + soffice.string();
    return {true, text};
  }

  const int wake;
  Metrics metrics;
  ExportStore store;
  cli::ProcessWorkerPool processes;
  WatchedWorkerPool workers;
  const std::filesystem::path soffice;
  const HttpApiSetup api;
  httplib::Server server;
};

Service::Service(ServiceSetup setup) : setup_(std::move(setup)), parts_(std::make_unique<Parts>(*this)) {}

Service::~Service() = default;

bool Service::Bind(std::string& why) {
  httplib::Server& server = parts_->server;
  port_ = setup_.options.port == 0 ? server.bind_to_any_port(setup_.options.host)
                                   : (server.bind_to_port(setup_.options.host, setup_.options.port)
                                          ? setup_.options.port
                                          : -1);
  if (port_ > 0) return true;
  why = "cannot listen on " + setup_.options.host + ":" + std::to_string(setup_.options.port);
  return false;
}

void Service::Run() {
  std::thread scheduling([this] { Schedule(); });
  std::thread removal([this] { RemoveOldResults(); });
  parts_->server.listen_after_bind();
  listening_ = false;
  Stop();  // also when the server ended by itself
  scheduling.join();
  removal.join();
}

void Service::Stop() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stopped_.notify_all();
  parts_->store.Close();  // the server's stop waits for the requests that wait for an export
  parts_->Wake();
}

void Service::Schedule() {
  const cli::BatchLimits limits{setup_.options.workers, setup_.options.timeLimit};
  cli::RunSchedule(parts_->store, limits, parts_->workers, setup_.clock, stopping_);
  // The server may not be listening yet, and must not miss the stop; it takes one only.
  while (listening_ && !parts_->server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (listening_) parts_->server.stop();
}

void Service::RemoveOldResults() {
  const auto every = std::min<std::chrono::seconds>(setup_.options.keepResults, std::chrono::seconds(30));
  std::unique_lock lock(mutex_);
  while (!stopped_.wait_for(lock, every, [this] { return stopping_.load(); })) {
    lock.unlock();
    parts_->store.RemoveExpired();
    lock.lock();
  }
}

}  // namespace quillmere::service
