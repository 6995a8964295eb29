#include "service/ServeCommandLine.h"

#include <memory>

#include <CLI/CLI.hpp>


namespace quillmere::service {
namespace {

// "ADDR:PORT", the address as given (a name, IPv4, or IPv6 in brackets).
std::string ParseListen(const std::string& text, ServeOptions& options) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return "expected ADDR:PORT, as in 127.0.0.1:8080";
  std::string host = text.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  int port = -1;
  try {
    std::size_t used = 0;
    port = std::stoi(text.substr(colon + 1), &used);
    if (used != text.size() - colon - 1) port = -1;
  } catch (const std::exception&) {
  }
  if (port < 0 || port > 65535) return "the port must be a number from 0 to 65535";
  options.host = host;
  options.port = port;
  return "";
}

}  // namespace

void AddServeCommand(CLI::App& app, cli::Invocation& run, ServeRunner runner) {
  // Filled while parsing, read when the command runs.
  auto options = std::make_shared<ServeOptions>();
  auto listen = std::make_shared<std::string>("127.0.0.1:8080");
  auto timeLimit = std::make_shared<int>(600);
  auto maxUpload = std::make_shared<int>(200);
  auto keep = std::make_shared<int>(3600);
  CLI::App* serve = app.add_subcommand("serve", "Export presentations posted over HTTP, and show them on a web page");
  serve->add_option("--listen", *listen, "ADDR:PORT to listen on (port 0: any free one)")
      ->capture_default_str()
      ->check([options](const std::string& text) { return ParseListen(text, *options); }, "ADDR:PORT");
  serve->add_option("--workers", options->workers, "Decks exported at once (default: one per core)")
      ->check(CLI::Range(1, 1024));
  serve->add_option("--queue", options->queue, "Exports that may wait for a worker")
      ->capture_default_str()
      ->check(CLI::Range(1, 100000));
  serve->add_option("--time-limit", *timeLimit, "Seconds one deck may take before it is stopped")
      ->capture_default_str()
      ->check(CLI::Range(1, 7 * 24 * 3600));
  serve->add_option("--max-upload", *maxUpload, "Largest deck accepted, in MB")
      ->capture_default_str()
      ->check(CLI::Range(1, 4096));
  serve->add_option("--data", options->dataFolder, "Folder for decks and results (default: a new temporary folder)");
  // From the environment too, where a container's health check can read the same file.
  serve->add_option("--token-file", options->tokenFile, "File holding the token every request must bring")
      ->envname("QUILLMERE_TOKEN_FILE")
      ->check(CLI::ExistingFile);
  serve->add_option("--keep", *keep, "Seconds a finished export stays before it is removed")
      ->capture_default_str()
      ->check(CLI::Range(1, 365 * 24 * 3600));
  // listen only has to live as long as the parser, which writes into it.
  serve->callback([&run, runner = std::move(runner), options, listen, timeLimit, maxUpload, keep] {
    options->timeLimit = std::chrono::seconds(*timeLimit);
    options->maxUploadBytes = static_cast<std::size_t>(*maxUpload) << 20;
    options->keepResults = std::chrono::seconds(*keep);
    run.command = cli::Command::External;
    run.external = [runner, options](const cli::Invocation& invocation) { return runner(invocation, *options); };
  });
}

}  // namespace quillmere::service
