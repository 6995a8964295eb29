#include "service/Metrics.h"

#include <fmt/format.h>

namespace quillmere::service {

void Metrics::CountRequest(int httpStatus) {
  const std::lock_guard lock(mutex_);
  ++requests_[httpStatus];
}

void Metrics::CountExport(std::string_view statusName, std::chrono::duration<double> took) {
  const std::lock_guard lock(mutex_);
  auto entry = exports_.find(statusName);
  if (entry == exports_.end()) entry = exports_.emplace(std::string(statusName), 0).first;
  ++entry->second;
  for (std::size_t i = 0; i < kBuckets.size(); ++i)
    if (took.count() <= kBuckets[i]) ++bucketCounts_[i];
  ++exportCount_;
  exportSeconds_ += took.count();
}

std::chrono::duration<double> Metrics::MeanExportTime() const {
  const std::lock_guard lock(mutex_);
  return std::chrono::duration<double>(exportCount_ == 0 ? 0.0 : exportSeconds_ / static_cast<double>(exportCount_));
}

std::string Metrics::Text(const MetricsGauges& gauges) const {
  const std::lock_guard lock(mutex_);
  std::string text;
  text += "# HELP quillmere_http_requests_total HTTP requests answered, by status code.\n"
          "# TYPE quillmere_http_requests_total counter\n";
  for (const auto& [code, count] : requests_)
    text += fmt::format("quillmere_http_requests_total{{code=\"{}\"}} {}\n", code, count);
  text += "# HELP quillmere_exports_total Exports ended, by status.\n"
          "# TYPE quillmere_exports_total counter\n";
  for (const auto& [status, count] : exports_)
    text += fmt::format("quillmere_exports_total{{status=\"{}\"}} {}\n", status, count);
  text += "# HELP quillmere_export_seconds How long exports took, from their start on a worker.\n"
          "# TYPE quillmere_export_seconds histogram\n";
  for (std::size_t i = 0; i < kBuckets.size(); ++i)
    text += fmt::format("quillmere_export_seconds_bucket{{le=\"{}\"}} {}\n", kBuckets[i], bucketCounts_[i]);
  text += fmt::format("quillmere_export_seconds_bucket{{le=\"+Inf\"}} {}\n", exportCount_);
  text += fmt::format("quillmere_export_seconds_sum {}\nquillmere_export_seconds_count {}\n", exportSeconds_,
                      exportCount_);
  text += fmt::format(
      "# HELP quillmere_queue_length Exports waiting for a worker.\n# TYPE quillmere_queue_length gauge\n"
      "quillmere_queue_length {}\n"
      "# HELP quillmere_exports_running Exports on a worker now.\n# TYPE quillmere_exports_running gauge\n"
      "quillmere_exports_running {}\n"
      "# HELP quillmere_workers_up Worker processes running.\n# TYPE quillmere_workers_up gauge\n"
      "quillmere_workers_up {}\n"
      "# HELP quillmere_worker_restarts_total Workers started again after one ended or was stopped.\n"
      "# TYPE quillmere_worker_restarts_total counter\nquillmere_worker_restarts_total {}\n",
      gauges.queued, gauges.running, gauges.workersUp, gauges.workerRestarts);
  return text;
}

}  // namespace quillmere::service
