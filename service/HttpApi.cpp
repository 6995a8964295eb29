#include "service/HttpApi.h"

#include <algorithm>
#include <fstream>
#include <mutex>
#include <regex>

#include <httplib.h>
#include <nlohmann/json.hpp>

#include "cli/StatusText.h"
#include "component/StatusCode.h"
#include "service/ExportFiles.h"
#include "service/WebAssets.h"

namespace quillmere::service {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr const char* kJson = "application/json";
// A waiting request holds one of the server's threads: not for long.
constexpr std::chrono::seconds kLongestWait{30};

void SendError(httplib::Response& res, int status, const std::string& message) {
  res.status = status;
  res.set_content(json{{"error", message}}.dump(), kJson);
}

// The page's answer to the token: a cookie, so that the images and links it
// shows need no header either. Hex, since a token may hold what a cookie cannot.
constexpr std::string_view kTokenCookie = "quillmere_token";

std::string HexOf(std::string_view text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char c : text) hex += {kDigits[c >> 4], kDigits[c & 15]};
  return hex;
}

// The value of the named cookie, "" when the request has none.
std::string CookieValue(const httplib::Request& req, std::string_view name) {
  const std::string cookies = req.get_header_value("Cookie");
  for (std::size_t start = 0; start < cookies.size();) {
    std::size_t end = cookies.find(';', start);
    if (end == std::string::npos) end = cookies.size();
    std::string_view pair = std::string_view(cookies).substr(start, end - start);
    while (!pair.empty() && pair.front() == ' ') pair.remove_prefix(1);
    if (pair.size() > name.size() && pair.substr(0, name.size()) == name && pair[name.size()] == '=')
      return std::string(pair.substr(name.size() + 1));
    start = end + 1;
  }
  return "";
}

bool IsWebAsset(std::string_view path) {
  const std::vector<WebAsset>& assets = WebAssets();
  return std::any_of(assets.begin(), assets.end(), [&](const WebAsset& asset) { return asset.path == path; });
}

// Compares every character of the expected text whatever the given one
// holds, so that the time taken tells nothing about how much of it matched.
bool SameSecret(std::string_view expected, std::string_view given) {
  unsigned char difference = expected.size() == given.size() ? 0 : 1;
  for (std::size_t i = 0; i < expected.size(); ++i)
    difference |= static_cast<unsigned char>(expected[i] ^ (i < given.size() ? given[i] : 0));
  return difference == 0;
}

std::string_view StateName(ExportState state) {
  switch (state) {
    case ExportState::Queued: return "queued";
    case ExportState::Running: return "running";
    case ExportState::Done: return "done";
    case ExportState::Failed: return "failed";
  }
  return "failed";
}

json RecordJson(const ExportRecord& record) {
  json answer = {{"id", record.id},
                 {"state", StateName(record.state)},
                 {"status", nullptr},
                 {"statusName", nullptr},
                 {"message", nullptr},
                 {"progress", {{"done", record.progress.done}, {"total", record.progress.total}}}};
  if (HasEnded(record.state)) {
    answer["status"] = record.outcome.status;
    answer["statusName"] = StatusCodeName(record.outcome.status);
    answer["message"] = cli::StatusMessage(record.outcome.status, record.outcome.reason);
  }
  return answer;
}

// Streams the file, so that a large one is not read into memory first; an
// open file stays readable when its export is deleted meanwhile.
void SendFile(httplib::Response& res, const fs::path& file, std::string_view type) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(file, error);
  auto in = std::make_shared<std::ifstream>(file, std::ios::binary);
  if (error || !*in) return SendError(res, 404, "the file is gone");
  // Files come from uploaded decks: never run as a page of this site.
  res.set_header("X-Content-Type-Options", "nosniff");
  res.set_header("Content-Security-Policy", "sandbox");
  res.set_content_provider(static_cast<std::size_t>(size), std::string(type),
                           [in](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                             std::vector<char> buffer(std::min<std::size_t>(length, 1 << 16));
                             in->seekg(static_cast<std::streamoff>(offset));
                             in->read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                             const std::streamsize got = in->gcount();
                             return got > 0 && sink.write(buffer.data(), static_cast<std::size_t>(got));
                           });
}

// A text field of the form: "" when absent.
std::string Field(const httplib::Request& req, const std::string& name) {
  return req.has_file(name) ? req.get_file_value(name).content : std::string();
}

// The export's settings from the form's fields; the reason when one is wrong.
std::string ParseSettings(const httplib::Request& req, cli::ExportSettings& settings) {
  const auto flag = [&](const std::string& name, bool& value) -> std::string {
    const std::string text = Field(req, name);
    if (text.empty()) return "";
    if (text != "true" && text != "false") return "\"" + name + "\" must be true or false";
    value = text == "true";
    return "";
  };
  if (std::string why = flag("images", settings.images); !why.empty()) return why;
  if (std::string why = flag("thumbnails", settings.thumbnails); !why.empty()) return why;
  const std::string slides = Field(req, "slides");
  static const std::regex kSlideList("[1-9][0-9]{0,5}(\\|[1-9][0-9]{0,5})*");
  if (!slides.empty() && !std::regex_match(slides, kSlideList))
    return "\"slides\" must be slide numbers separated by |, as in 1|4|7";
  settings.slides = slides;
  const std::string version = Field(req, "version");
  if (version == "11" || version == "12" || version == "14")
    settings.version = std::stoi(version);
  else if (!version.empty())
    return "\"version\" must be 11, 12 or 14";
  return "";
}

class Routes {
 public:
  explicit Routes(const HttpApiSetup& setup)
      : setup_(setup), bearer_("Bearer " + setup.token), cookie_(HexOf(setup.token)) {}

  void Post(const httplib::Request& req, httplib::Response& res) {
    setup_.store.RemoveExpired();
    if (!req.has_file("deck") || req.get_file_value("deck").filename.empty())
      return SendError(res, 400, "the form needs the presentation as the file \"deck\"");
    const httplib::MultipartFormData deck = req.get_file_value("deck");
    if (deck.content.size() > setup_.maxUploadBytes)
      return SendError(res, 413, "the deck is larger than the service accepts");
    cli::ExportSettings settings = setup_.defaults;
    if (std::string why = ParseSettings(req, settings); !why.empty()) return SendError(res, 400, why);
    const ExportStore::Added added = setup_.store.Add(deck.filename, deck.content, settings);
    if (added.refusal == ExportStore::Refusal::QueueFull) {
      res.set_header("Retry-After", std::to_string(RetryAfterSeconds()));
      return SendError(res, 429, "too many exports are waiting; try again later");
    }
    if (added.refusal == ExportStore::Refusal::CannotStore)
      return SendError(res, 503, "the deck could not be stored: " + added.why);
    res.status = 202;
    res.set_header("Location", "/v1/exports/" + added.id);
    res.set_content(json{{"id", added.id}, {"state", "queued"}}.dump(), kJson);
  }

  // ?wait=S holds the answer until the export has ended, at most S seconds.
  void Get(const httplib::Request& req, httplib::Response& res) {
    static const std::regex kSeconds("[0-9]{1,2}");
    const std::string wait = req.has_param("wait") ? req.get_param_value("wait") : "0";
    const int seconds = std::regex_match(wait, kSeconds) ? std::stoi(wait) : -1;
    if (seconds < 0 || seconds > kLongestWait.count())
      return SendError(res, 400,
                       "\"wait\" must be a number of seconds from 0 to " + std::to_string(kLongestWait.count()));
    if (const std::optional<ExportRecord> record = Find(req, res, std::chrono::seconds(seconds)))
      res.set_content(RecordJson(*record).dump(), kJson);
  }

  void Xml(const httplib::Request& req, httplib::Response& res) {
    const std::optional<ExportRecord> record = FindEnded(req, res);
    if (!record) return;
    if (record->state != ExportState::Done)
      return SendError(res, 409, "the export failed: " + cli::StatusMessage(record->outcome.status, record->outcome.reason));
    SendFile(res, record->outcome.xmlPath, ContentTypeOf(record->outcome.xmlPath));
  }

  void File(const httplib::Request& req, httplib::Response& res) {
    const std::optional<ExportRecord> record = FindEnded(req, res);
    if (!record) return;
    const std::optional<fs::path> file = ExportFile(record->folder, req.matches[2].str(), req.target);
    if (!file) return SendError(res, 404, "the export has no such file");
    SendFile(res, *file, ContentTypeOf(*file));
  }

  void Archive(const httplib::Request& req, httplib::Response& res) {
    const std::optional<ExportRecord> record = FindEnded(req, res);
    if (!record) return;
    // Beside the export's folder, so that it is not part of itself; made once.
    const fs::path archive = record->folder.parent_path() / "archive.zip";
    try {
      const std::lock_guard lock(zipping_);
      if (!fs::exists(archive)) ZipFolder(record->folder, archive);
    } catch (const std::exception& e) {
      return SendError(res, 503, std::string("the archive could not be made: ") + e.what());
    }
    res.set_header("Content-Disposition", "attachment; filename=\"" + record->id + ".zip\"");
    SendFile(res, archive, "application/zip");
  }

  void Delete(const httplib::Request& req, httplib::Response& res) {
    if (!setup_.store.Remove(req.matches[1].str())) return SendError(res, 404, "no such export");
    res.status = 204;
  }

  void Health(httplib::Response& res) {
    const service::Health health = setup_.health();
    res.status = health.up ? 200 : 503;
    res.set_content(json{{"status", health.up ? "up" : "down"}, {"detail", health.text}}.dump(), kJson);
  }

  void Metrics(httplib::Response& res) {
    res.set_content(setup_.metrics.Text(setup_.gauges()), "text/plain; version=0.0.4");
  }

  // Once the token is known, the page's own files and images come with the cookie alone.
  void Session(httplib::Response& res) {
    res.status = 204;
    if (setup_.token.empty()) return;
    res.set_header("Set-Cookie",
                   std::string(kTokenCookie) + "=" + cookie_ + "; Path=/; HttpOnly; SameSite=Strict");
  }

  // The page itself needs no token: it holds nothing of anybody's, and asks for the token when an answer is 401.
  // Every other route needs the token, in the header or in the cookie that Session set. The cookie is never sent
  // by another site's page (SameSite), so it cannot be used to post or delete on the user's behalf.
  bool Authorised(const httplib::Request& req) const {
    if (setup_.token.empty() || IsWebAsset(req.path)) return true;
    const std::string cookie = CookieValue(req, kTokenCookie);
    return SameSecret(bearer_, req.get_header_value("Authorization")) ||
           (!cookie.empty() && SameSecret(cookie_, cookie));
  }

 private:
  std::optional<ExportRecord> Find(const httplib::Request& req, httplib::Response& res,
                                   std::chrono::seconds waitForEnd = std::chrono::seconds::zero()) {
    setup_.store.RemoveExpired();
    std::optional<ExportRecord> record = setup_.store.Find(req.matches[1].str(), waitForEnd);
    if (!record) SendError(res, 404, "no such export");
    return record;
  }

  std::optional<ExportRecord> FindEnded(const httplib::Request& req, httplib::Response& res) {
    std::optional<ExportRecord> record = Find(req, res);
    if (record && !HasEnded(record->state)) {
      SendError(res, 409, "the export has not ended yet");
      return std::nullopt;
    }
    return record;
  }

  // How long the queue takes to drain, by the exports so far.
  long RetryAfterSeconds() const {
    const double seconds = setup_.metrics.MeanExportTime().count() * static_cast<double>(setup_.store.Queued()) /
                           static_cast<double>(std::max(setup_.workers, 1));
    return std::clamp(static_cast<long>(seconds + 1), 1L, 3600L);
  }

  const HttpApiSetup& setup_;
  const std::string bearer_, cookie_;  // what a request brings with the token
  std::mutex zipping_;
};

}  // namespace

void AddHttpApi(httplib::Server& server, const HttpApiSetup& setup) {
  auto routes = std::make_shared<Routes>(setup);
  // One more multipart part than the deck: the form's other fields.
  // Answers go out as headers and body in two writes; without TCP_NODELAY a kept-alive client's delayed
  // acknowledgement holds the second back about 40 ms.
  server.set_tcp_nodelay(true);
  server.set_payload_max_length(setup.maxUploadBytes + (1 << 16));
  server.set_pre_routing_handler([routes](const httplib::Request& req, httplib::Response& res) {
    if (routes->Authorised(req)) return httplib::Server::HandlerResponse::Unhandled;
    res.set_header("WWW-Authenticate", "Bearer");
    SendError(res, 401, "this service needs Authorization: Bearer <token>");
    return httplib::Server::HandlerResponse::Handled;
  });
  server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (!res.body.empty()) return;
    switch (res.status) {
      case 404: return SendError(res, 404, "no such resource");
      case 413: return SendError(res, 413, "the upload is larger than the service accepts");
      default: return SendError(res, res.status, "the request could not be answered");
    }
  });
  server.set_logger([&metrics = setup.metrics](const httplib::Request&, const httplib::Response& res) {
    metrics.CountRequest(res.status);
  });

  const std::string exportPath = "/v1/exports/([0-9a-f]{32})";
  server.Post("/v1/exports", [routes](const httplib::Request& req, httplib::Response& res) { routes->Post(req, res); });
  server.Get(exportPath, [routes](const httplib::Request& req, httplib::Response& res) { routes->Get(req, res); });
  server.Delete(exportPath,
                [routes](const httplib::Request& req, httplib::Response& res) { routes->Delete(req, res); });
  server.Get(exportPath + "/presentationinfo\\.xml",
             [routes](const httplib::Request& req, httplib::Response& res) { routes->Xml(req, res); });
  server.Get(exportPath + "/files/(.+)",
             [routes](const httplib::Request& req, httplib::Response& res) { routes->File(req, res); });
  server.Get(exportPath + "/archive\\.zip",
             [routes](const httplib::Request& req, httplib::Response& res) { routes->Archive(req, res); });
  server.Post("/v1/session", [routes](const httplib::Request&, httplib::Response& res) { routes->Session(res); });
  server.Get("/healthz", [routes](const httplib::Request&, httplib::Response& res) { routes->Health(res); });
  server.Get("/metrics", [routes](const httplib::Request&, httplib::Response& res) { routes->Metrics(res); });
  for (const WebAsset& asset : WebAssets()) {
    server.Get(std::string(asset.path), [&asset](const httplib::Request&, httplib::Response& res) {
      res.set_content(asset.body.data(), asset.body.size(), std::string(asset.type).c_str());
    });
  }
}

}  // namespace quillmere::service
