// `quillmere serve` in this process on a port of its own, answering over
// HTTP on 127.0.0.1: real workers (the built tool) exporting small corpus
// decks without images, and a stand-in worker that answers only when the
// test lets it, for the queue, the limits and deletion.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <set>
#include <thread>

#include <httplib.h>
#include <nlohmann/json.hpp>

#include "cli/BatchCommand.h"
#include "service/Service.h"
#include "tests/cli/CliHarness.h"
#include "tests/helpers/TestFiles.h"
#include "tests/helpers/TextPieces.h"

namespace quillmere::service {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using nlohmann::json;

// Stands in for a worker: answers each deck with status 11 once the test
// writes a line into the FIFO named by its argument.
constexpr const char* kGatedWorker = R"(
while IFS= read -r job; do
  read -r go < "$0"
  printf 'done\t11\t\t\n'
done
)";

class ServedHere {
 public:
  ServedHere(ServeOptions options, std::vector<std::string> workerCommand, std::string token = "")
      : folder_(sandbox_.Root() / "data") {
    options.host = "127.0.0.1";
    options.port = 0;
    options.dataFolder = folder_.string();
    fs::create_directories(folder_);
    service_ = std::make_unique<Service>(ServiceSetup{options, std::move(workerCommand), {"", 0, false, false},
                                                      std::move(token), cli::SteadyClock(),
                                                      [](std::string_view) {}});
    std::string why;
    if (!service_->Bind(why)) throw std::runtime_error(why);
    running_ = std::thread([this] { service_->Run(); });
    client_ = std::make_unique<httplib::Client>("127.0.0.1", service_->Port());
    client_->set_read_timeout(60, 0);
  }
  ~ServedHere() {
    service_->Stop();
    running_.join();
  }

  httplib::Client& Client() { return *client_; }
  int Port() const { return service_->Port(); }
  const fs::path& Data() const { return folder_; }

  httplib::Result Post(const std::string& name, const std::string& bytes, httplib::MultipartFormDataItems fields = {}) {
    fields.push_back({"deck", bytes, name, "application/octet-stream"});
    return client_->Post("/v1/exports", fields);
  }

  // The export's state once it is none of these, asked for at most for a minute.
  // /healthz's status once the workers are up (they start beside the listener, so at first it may say
  // 503), or the last status it gave.
  int HealthOnceUp() {
    int status = 0;
    for (auto until = std::chrono::steady_clock::now() + 60s; std::chrono::steady_clock::now() < until;) {
      const httplib::Result got = client_->Get("/healthz");
      status = got ? got->status : 0;
      if (status != 503) return status;
      std::this_thread::sleep_for(20ms);
    }
    return status;
  }

  // The export's state once it has ended, asked for with one request that waits.
  json StateOnceEnded(const std::string& id) {
    const httplib::Result got = client_->Get("/v1/exports/" + id + "?wait=30");
    return got && got->status == 200 ? json::parse(got->body) : json{};
  }

  json StateOnceNot(const std::string& id, const std::set<std::string>& states) {
    json state;
    for (auto until = std::chrono::steady_clock::now() + 60s; std::chrono::steady_clock::now() < until;) {
      const httplib::Result got = client_->Get("/v1/exports/" + id);
      if (!got || got->status != 200) return {};
      state = json::parse(got->body);
      if (!states.contains(state["state"].get<std::string>())) return state;
      std::this_thread::sleep_for(20ms);
    }
    return state;
  }

 private:
  clitest::Sandbox sandbox_;
  fs::path folder_;
  std::unique_ptr<Service> service_;
  std::thread running_;
  std::unique_ptr<httplib::Client> client_;
};

using quillmere::testing::ReadFile;

std::string IdOf(const httplib::Result& posted) { return posted ? json::parse(posted->body).value("id", "") : ""; }

TEST(Service, ExportsPostedDecksAndServesOnlyTheirOwnFiles) {
  ServeOptions options;
  options.workers = 1;
  cli::Invocation worker;
  ServedHere served(options, cli::WorkerCommand(clitest::CliPath().string(), worker));
  const std::string deck = ReadFile(clitest::CorpusDir() / "poi__SampleShow.pptx");

  const httplib::Result posted = served.Post("SampleShow.pptx", deck, {{"slides", "2|1", "", ""}});
  ASSERT_TRUE(posted);
  ASSERT_EQ(posted->status, 202) << posted->body;
  const std::string id = IdOf(posted);
  EXPECT_EQ(posted->get_header_value("Location"), "/v1/exports/" + id);
  const json done = served.StateOnceEnded(id);
  EXPECT_EQ(done["state"], "done") << done.dump();
  EXPECT_EQ(done["status"], 0);
  EXPECT_EQ(done["statusName"], "ERR_SUCCESS");
  EXPECT_GT(done["progress"]["total"].get<int>(), 0);
  EXPECT_EQ(done["progress"]["done"], done["progress"]["total"]);

  const httplib::Result xml = served.Client().Get("/v1/exports/" + id + "/presentationinfo.xml");
  ASSERT_TRUE(xml);
  EXPECT_EQ(xml->status, 200);
  EXPECT_NE(xml->body.find("<Slide id=\"257\" index=\"2\""), std::string::npos) << "only the slides asked for";
  const fs::path out = served.Data() / id / "out";
  EXPECT_EQ(served.Client().Get("/v1/exports/" + id + "/files/presentationinfo.xml")->status, 200);
  const httplib::Result zip = served.Client().Get("/v1/exports/" + id + "/archive.zip");
  ASSERT_TRUE(zip);
  EXPECT_EQ(zip->status, 200);
  EXPECT_EQ(zip->body.substr(0, 2), "PK");

  // Nothing outside the export's folder, however the name is spelled.
  fs::create_symlink("/etc/passwd", out / "passwd");
  fs::create_directory_symlink("/etc", out / "etc");
  for (const std::string name : {"..%2F..%2Fdeck%2FSampleShow.pptx", "../../deck/SampleShow.pptx", "passwd",
                                 "etc/passwd", "..%5c..%5cdeck", "%2Fetc%2Fpasswd", "missing.png"})
    EXPECT_EQ(served.Client().Get("/v1/exports/" + id + "/files/" + name)->status, 404) << name;

  // A file that is no presentation is an export that ended with status 4 and its reason.
  const std::string notDeck = IdOf(served.Post("notes.pptx", "just some words"));
  const json failed = served.StateOnceEnded(notDeck);
  EXPECT_EQ(failed["state"], "failed");
  EXPECT_EQ(failed["status"], 4);
  EXPECT_EQ(failed["statusName"], "ERR_PRESENTATION_OPEN_FAILED");
  EXPECT_TRUE(failed["message"].get<std::string>().starts_with("the presentation could not be opened: "))
      << failed["message"];
  EXPECT_EQ(served.Client().Get("/v1/exports/" + notDeck + "/presentationinfo.xml")->status, 409);

  EXPECT_EQ(served.Client().Get("/v1/exports/" + id + "?wait=31")->status, 400);
  EXPECT_EQ(served.Client().Get("/v1/exports/" + id + "?wait=soon")->status, 400);
  EXPECT_EQ(served.Post("x.pptx", deck, {{"version", "13", "", ""}})->status, 400);
  EXPECT_EQ(served.Post("x.pptx", deck, {{"slides", "1,2", "", ""}})->status, 400);
  EXPECT_EQ(served.Client().Get("/v1/exports/0123456789abcdef0123456789abcdef")->status, 404);
  EXPECT_EQ(served.Client().Delete("/v1/exports/" + id)->status, 204);
  EXPECT_EQ(served.Client().Get("/v1/exports/" + id)->status, 404);
  EXPECT_FALSE(fs::exists(served.Data() / id));

  const httplib::Result health = served.Client().Get("/healthz");
  EXPECT_EQ(health->status, 200) << health->body;
  const std::string metrics = served.Client().Get("/metrics")->body;
  testing::ExpectHas(metrics,
                     {"quillmere_exports_total{status=\"ERR_SUCCESS\"} 1\n",
                      "quillmere_exports_total{status=\"ERR_PRESENTATION_OPEN_FAILED\"} 1\n",
                      "quillmere_http_requests_total{code=\"400\"} 4\n", "quillmere_export_seconds_count 2\n"});
  EXPECT_EQ(served.Client().Get("/")->get_header_value("Content-Type"), "text/html; charset=utf-8");
}

TEST(Service, RefusesWhatItCannotTakeAndLosesNothingAccepted) {
  ServeOptions options;
  options.workers = 1;
  options.queue = 1;
  options.maxUploadBytes = 1 << 20;
  clitest::Sandbox gates;
  const fs::path gate = gates.Root() / "gate";
  ASSERT_EQ(mkfifo(gate.c_str(), 0600), 0);
  ServedHere served(options, {"/bin/sh", "-c", kGatedWorker, gate.string()}, "s3cret");
  httplib::Client& client = served.Client();

  EXPECT_EQ(client.Get("/healthz")->status, 401);
  client.set_bearer_token_auth("s3cre");
  EXPECT_EQ(client.Get("/healthz")->status, 401);
  client.set_bearer_token_auth("s3cret");
  EXPECT_EQ(served.HealthOnceUp(), 200);

  // The page needs no token; its session turns the token into a cookie that serves instead of the header.
  httplib::Client browser("127.0.0.1", served.Port());
  EXPECT_EQ(browser.Get("/")->status, 200);
  EXPECT_EQ(browser.Post("/v1/session")->status, 401);
  const httplib::Result session = client.Post("/v1/session");
  ASSERT_EQ(session->status, 204);
  const std::string cookie = session->get_header_value("Set-Cookie");
  EXPECT_NE(cookie.find("HttpOnly; SameSite=Strict"), std::string::npos) << cookie;
  EXPECT_EQ(browser.Get("/healthz", {{"Cookie", "theme=dark; " + cookie.substr(0, cookie.find(';'))}})->status, 200);
  EXPECT_EQ(browser.Get("/healthz", {{"Cookie", "quillmere_token=73336372"}})->status, 401) << "the hex of s3cr";

  EXPECT_EQ(served.Post("big.pptx", std::string((1 << 20) + 1, 'x'))->status, 413);
  const std::string first = IdOf(served.Post("a.pptx", "a"));
  EXPECT_EQ(served.StateOnceNot(first, {"queued"})["state"], "running");
  const std::string second = IdOf(served.Post("b.pptx", "b"));
  ASSERT_FALSE(second.empty());
  const httplib::Result full = served.Post("c.pptx", "c");
  EXPECT_EQ(full->status, 429);
  EXPECT_FALSE(full->get_header_value("Retry-After").empty());

  // Deleting the running export stops its worker; a fresh one takes the next.
  EXPECT_EQ(client.Delete("/v1/exports/" + first)->status, 204);
  EXPECT_EQ(served.StateOnceNot(second, {"queued"})["state"], "running");
  EXPECT_FALSE(fs::exists(served.Data() / first));
  std::ofstream(gate) << "go" << std::endl;
  const json ended = served.StateOnceEnded(second);
  EXPECT_EQ(ended["status"], 11);
  EXPECT_EQ(ended["statusName"], "ERR_PASSWORD_PROTECTED_OPEN_FAILED");
  EXPECT_EQ(ended["message"], "the presentation is password protected");
  EXPECT_NE(client.Get("/metrics")->body.find("quillmere_worker_restarts_total 1\n"), std::string::npos);

  // The command line refuses a token file without a token.
  std::ofstream(gates.Root() / "token") << " \n";
  const clitest::ChildResult noToken =
      clitest::RunCli(gates, {"serve", "--token-file", (gates.Root() / "token").string()}, clitest::Within(30s));
  EXPECT_EQ(noToken.exitCode, 66) << noToken.err;
}

}  // namespace
}  // namespace quillmere::service
