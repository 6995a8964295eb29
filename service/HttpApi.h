#pragma once
// The routes of `quillmere serve`: the export API under /v1, /healthz,
// /metrics and the web page, on a cpp-httplib server.

#include <functional>
#include <string>

#include "cli/BatchSchedule.h"
#include "service/ExportStore.h"
#include "service/Metrics.h"

namespace httplib {
class Server;
}

namespace quillmere::service {

struct Health {
  bool up = false;
  std::string text;  // what is up, or what is not
};

struct HttpApiSetup {
  ExportStore& store;
  Metrics& metrics;
  std::filesystem::path dataFolder;
  std::size_t maxUploadBytes = 0;
  std::string token;                          // empty: none needed
  cli::ExportSettings defaults;               // for the fields a post leaves out
  int workers = 1;
  std::function<Health()> health;
  std::function<MetricsGauges()> gauges;
};

void AddHttpApi(httplib::Server& server, const HttpApiSetup& setup);

}  // namespace quillmere::service
