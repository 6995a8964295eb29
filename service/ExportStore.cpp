#include "service/ExportStore.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <utility>

#include <fmt/format.h>

#include "component/StatusCode.h"

namespace quillmere::service {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kIdLength = 32;

// Unguessable, so that one client cannot reach another's export by counting.
std::string NewId() {
  static std::mutex mutex;
  static std::random_device device;
  const std::lock_guard lock(mutex);
  std::uniform_int_distribution<std::uint64_t> any;
  return fmt::format("{:016x}{:016x}", any(device), any(device));
}

// The last part of an uploaded file's name, without anything a path or a
// terminal would read; "deck.pptx" when nothing is left.
std::string DeckFileName(std::string_view name) {
  if (const std::size_t slash = name.find_last_of("/\\"); slash != std::string_view::npos)
    name.remove_prefix(slash + 1);
  std::string kept;
  for (char c : name.substr(0, 200))
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) kept += c;
  if (kept.empty() || kept == "." || kept == "..") return "deck.pptx";
  return kept;
}

bool WriteFile(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

fs::path ExportFolder(const fs::path& dataFolder, const std::string& id) { return dataFolder / id / "out"; }

bool IsExportId(std::string_view text) {
  return text.size() == kIdLength &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

ExportStore::ExportStore(fs::path dataFolder, Limits limits, const cli::Clock& clock, Metrics& metrics,
                         std::function<void()> wake)
    : dataFolder_(std::move(dataFolder)), limits_(limits), clock_(clock), metrics_(metrics), wake_(std::move(wake)) {}

ExportStore::Added ExportStore::Add(std::string_view fileName, std::string_view bytes,
                                    const cli::ExportSettings& settings) {
  if (Queued() >= limits_.queue) return {"", Refusal::QueueFull, ""};
  // The deck is written without the lock: it may be large.
  const std::string id = NewId();
  const fs::path root = dataFolder_ / id;
  const fs::path deck = root / "deck" / DeckFileName(fileName);
  std::error_code error;
  fs::create_directories(deck.parent_path(), error);
  if (!error) fs::create_directories(ExportFolder(dataFolder_, id), error);
  if (error || !WriteFile(deck, bytes)) {
    const std::string why = error ? error.message() : "the deck could not be written";
    fs::remove_all(root, error);
    return {"", Refusal::CannotStore, why};
  }
  {
    const std::lock_guard lock(mutex_);
    if (queue_.size() < limits_.queue) {
      Entry entry{{id, ExportState::Queued, {}, {}, ExportFolder(dataFolder_, id)}, nextNumber_++, {}, {}, {}, false};
      entry.deck = {deck.string(), entry.record.folder.string(), settings};
      entries_.emplace(id, std::move(entry));
      queue_.push_back(id);
      wake_();
      return {id, Refusal::None, ""};
    }
  }
  fs::remove_all(root, error);
  return {"", Refusal::QueueFull, ""};
}

std::optional<ExportRecord> ExportStore::Find(const std::string& id, std::chrono::milliseconds waitForEnd) const {
  std::unique_lock lock(mutex_);
  const auto present = [&] {
    const auto entry = entries_.find(id);
    return entry == entries_.end() || entry->second.removed ? nullptr : &entry->second;
  };
  changed_.wait_for(lock, waitForEnd, [&] {
    const Entry* entry = present();
    return closed_ || entry == nullptr || HasEnded(entry->record.state);
  });
  if (const Entry* entry = present()) return entry->record;
  return std::nullopt;
}

void ExportStore::Close() {
  {
    const std::lock_guard lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

bool ExportStore::Remove(const std::string& id) {
  const std::lock_guard lock(mutex_);
  const auto entry = entries_.find(id);
  if (entry == entries_.end() || entry->second.removed) return false;
  if (entry->second.record.state == ExportState::Running) {
    // Its worker may still write into the folder: it goes once the worker has stopped.
    entry->second.removed = true;
    withdrawn_.push_back(entry->second.number);
    wake_();
  } else {
    Erase(entry);
  }
  changed_.notify_all();
  return true;
}

void ExportStore::RemoveExpired() {
  const std::lock_guard lock(mutex_);
  const cli::Clock::TimePoint now = clock_.Now();
  for (auto entry = entries_.begin(); entry != entries_.end();) {
    auto next = std::next(entry);
    if (HasEnded(entry->second.record.state) && entry->second.ended + limits_.keep <= now) Erase(entry);
    entry = next;
  }
}

std::size_t ExportStore::Queued() const {
  const std::lock_guard lock(mutex_);
  return queue_.size();
}

std::size_t ExportStore::Running() const {
  const std::lock_guard lock(mutex_);
  return static_cast<std::size_t>(std::count_if(entries_.begin(), entries_.end(), [](const auto& entry) {
    return entry.second.record.state == ExportState::Running;
  }));
}

bool ExportStore::Waiting() const { return Queued() != 0; }

std::optional<cli::ScheduledDeck> ExportStore::Next() {
  const std::lock_guard lock(mutex_);
  if (queue_.empty()) return std::nullopt;
  Entry& entry = entries_.at(queue_.front());
  queue_.pop_front();
  entry.record.state = ExportState::Running;
  entry.started = clock_.Now();
  return cli::ScheduledDeck{entry.number, entry.deck};
}

std::vector<std::size_t> ExportStore::TakeWithdrawn() {
  const std::lock_guard lock(mutex_);
  return std::exchange(withdrawn_, {});
}

void ExportStore::Progress(std::size_t number, const cli::ExportProgress& progress) {
  const std::lock_guard lock(mutex_);
  if (Entry* entry = ByNumber(number)) entry->record.progress = progress;
}

void ExportStore::Finished(std::size_t number, const cli::DeckOutcome& outcome) {
  const std::lock_guard lock(mutex_);
  Entry* entry = ByNumber(number);
  if (entry == nullptr) return;
  const bool started = entry->record.state == ExportState::Running;
  entry->ended = clock_.Now();
  metrics_.CountExport(StatusCodeName(outcome.status),
                       started ? entry->ended - entry->started : cli::Clock::TimePoint::duration::zero());
  if (entry->removed) {
    Erase(entries_.find(entry->record.id));
    return;
  }
  entry->record.state = outcome.status == ERR_SUCCESS ? ExportState::Done : ExportState::Failed;
  entry->record.outcome = outcome;
  changed_.notify_all();
}

ExportStore::Entry* ExportStore::ByNumber(std::size_t number) {
  for (auto& [id, entry] : entries_)
    if (entry.number == number) return &entry;
  return nullptr;
}

void ExportStore::Erase(std::map<std::string, Entry>::iterator entry) {
  std::error_code error;
  fs::remove_all(dataFolder_ / entry->first, error);
  std::erase(queue_, entry->first);
  entries_.erase(entry);
}

}  // namespace quillmere::service
