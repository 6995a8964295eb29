#pragma once
// What /metrics reports, in Prometheus' text format: HTTP answers by code,
// exports by outcome, how long exports took, and how often workers had to
// be started again. Safe to update from any thread.

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

namespace quillmere::service {

// What changes apart from the counters, read when the text is made.
struct MetricsGauges {
  std::size_t queued = 0;
  std::size_t running = 0;
  int workersUp = 0;
  std::int64_t workerRestarts = 0;
};

class Metrics {
 public:
  void CountRequest(int httpStatus);
  void CountExport(std::string_view statusName, std::chrono::duration<double> took);
  // The mean export time so far; zero before the first.
  std::chrono::duration<double> MeanExportTime() const;
  std::string Text(const MetricsGauges& gauges) const;

 private:
  static constexpr std::array<double, 10> kBuckets = {0.5, 1, 2, 5, 10, 30, 60, 120, 300, 600};

  mutable std::mutex mutex_;
  std::map<int, std::int64_t> requests_;
  std::map<std::string, std::int64_t, std::less<>> exports_;
  std::array<std::int64_t, kBuckets.size()> bucketCounts_{};
  std::int64_t exportCount_ = 0;
  double exportSeconds_ = 0;
};

}  // namespace quillmere::service
