#pragma once
// The LibreOffice process the render server drives. It runs soffice.bin
// itself rather than the soffice script, whose launcher would sit between us
// and the office and neither pass on our death nor end with us: the office is
// started with a death signal so that it ends when this server ends, however
// it ends. Like the launcher, it starts the office again when it exits asking
// for that, as it does once on a fresh profile.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace quillmere::engine::render {

class OfficeProcess {
 public:
  // Starts the office listening on the named pipe with the given private
  // profile. Throws std::runtime_error when it cannot be started.
  OfficeProcess(const std::filesystem::path& soffice, const std::filesystem::path& profile,
                const std::string& pipeName);
  ~OfficeProcess();  // kills the office when it is still running
  OfficeProcess(const OfficeProcess&) = delete;
  OfficeProcess& operator=(const OfficeProcess&) = delete;

  // True while the office runs (restarting it when it asked to be restarted);
  // false once it has ended for good, with the reason in EndReason().
  bool Running();
  const std::string& EndReason() const { return endReason_; }

  // Gives the office the grace time to end by itself, then kills it.
  void Stop(std::chrono::milliseconds grace);

 private:
  void Spawn();
  // Reaps the office when it has ended, leaving its wait status in status.
  bool Ended(int& status);

  std::string pipeName_;
  std::vector<std::string> argv_;
  pid_t pid_ = 0;
  int restarts_ = 0;
  std::string endReason_;
};

}  // namespace quillmere::engine::render
