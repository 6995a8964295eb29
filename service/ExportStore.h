#pragma once
// The service's exports: each has a folder of its own under the data folder
// (the uploaded deck in deck/, the export's files in out/), waits in a queue
// of bounded length, runs on a worker and is removed a while after it ends,
// or when it is deleted. The HTTP threads add, read and delete exports; the
// scheduling thread takes them as a deck source. Every member is safe to
// call from any thread.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cli/BatchSchedule.h"
#include "service/Metrics.h"

namespace quillmere::service {

enum class ExportState { Queued, Running, Done, Failed };

inline bool HasEnded(ExportState state) { return state == ExportState::Done || state == ExportState::Failed; }

struct ExportRecord {
  std::string id;
  ExportState state = ExportState::Queued;
  cli::DeckOutcome outcome;  // once ended
  cli::ExportProgress progress;
  std::filesystem::path folder;  // the export's files
};

class ExportStore final : public cli::DeckSource {
 public:
  struct Limits {
    std::size_t queue = 100;
    std::chrono::seconds keep{3600};
  };
  // wake is called whenever the scheduling thread has something to do.
  ExportStore(std::filesystem::path dataFolder, Limits limits, const cli::Clock& clock, Metrics& metrics,
              std::function<void()> wake);

  enum class Refusal { None, QueueFull, CannotStore };
  struct Added {
    std::string id;
    Refusal refusal = Refusal::None;
    std::string why;  // CannotStore: the file system's words
  };
  // Stores the deck under its file name (only its last part is kept) and queues its export.
  Added Add(std::string_view fileName, std::string_view bytes, const cli::ExportSettings& settings);
  // The export as it is once it has ended, or once waitForEnd has passed or the store closed, whichever
  // comes first: clients follow an export with one request instead of polling it.
  std::optional<ExportRecord> Find(const std::string& id,
                                   std::chrono::milliseconds waitForEnd = std::chrono::milliseconds::zero()) const;
  // Lets every waiting Find answer now, and later ones at once: the service is stopping.
  void Close();
  // False for an unknown id. A running export is stopped first.
  bool Remove(const std::string& id);
  // Removes the exports that ended longer ago than the limit says.
  void RemoveExpired();

  std::size_t Queued() const;
  std::size_t Running() const;

  // The deck source.
  bool Waiting() const override;
  std::optional<cli::ScheduledDeck> Next() override;
  bool Exhausted() const override { return false; }
  bool KeepWorkersReady() const override { return true; }
  std::vector<std::size_t> TakeWithdrawn() override;
  void Progress(std::size_t number, const cli::ExportProgress& progress) override;
  void Finished(std::size_t number, const cli::DeckOutcome& outcome) override;

 private:
  struct Entry {
    ExportRecord record;
    std::size_t number = 0;  // the schedule's name for it
    cli::BatchDeck deck;
    cli::Clock::TimePoint started, ended;
    bool removed = false;  // deleted while running: goes once its worker has stopped
  };

  Entry* ByNumber(std::size_t number);
  void Erase(std::map<std::string, Entry>::iterator entry);

  const std::filesystem::path dataFolder_;
  const Limits limits_;
  const cli::Clock& clock_;
  Metrics& metrics_;
  const std::function<void()> wake_;

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;  // an export ended or went, or the store closed
  bool closed_ = false;
  std::map<std::string, Entry> entries_;
  std::deque<std::string> queue_;
  std::vector<std::size_t> withdrawn_;
  std::size_t nextNumber_ = 0;
};

// Where an export's files go: the folder "out" in the folder its id names.
std::filesystem::path ExportFolder(const std::filesystem::path& dataFolder, const std::string& id);
// Whether a name is an export id (and so safe as a folder name).
bool IsExportId(std::string_view text);

}  // namespace quillmere::service
