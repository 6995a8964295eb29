// quillmere-render: keeps one headless LibreOffice running and draws slide and
// shape images for SlideRenderer, answering the line protocol described in
// engine/render/RenderProtocol.h on stdin and stdout.
//
//   quillmere-render --soffice <soffice path> --profile <private profile folder>

#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>

#include <com/sun/star/uno/Exception.hpp>

#include "engine/render/RenderProtocol.h"
#include "engine/render/server/OfficeConnection.h"
#include "engine/render/server/OfficeProcess.h"
#include "engine/render/server/OfficeSession.h"
#include "engine/render/server/RequestAnswers.h"
#include "engine/render/server/UnoText.h"

namespace {

using namespace quillmere::engine::render;
using quillmere::engine::renderprotocol::ErrorReply;

constexpr std::chrono::seconds kConnectLimit(180);
constexpr std::chrono::seconds kQuitGrace(10);

struct Options {
  std::string soffice, profile;
};

bool ReadOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string name = argv[i];
    if (name == "--soffice") {
      options.soffice = argv[i + 1];
    } else if (name == "--profile") {
      options.profile = argv[i + 1];
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && !options.soffice.empty() && !options.profile.empty();
}

// Unique per start, so that two servers never reach each other's office.
std::string PipeName() {
  std::random_device random;
  return "quillmere-render-" + std::to_string(getpid()) + "-" + std::to_string(random());
}

void Reply(const std::string& line) { std::cout << line << std::endl; }

int Serve(OfficeSession& session, OfficeProcess& office) {
  std::string line;
  while (std::getline(std::cin, line)) {
    Answer answer = AnswerRequest(session, line);
    // An office that crashed may have been started again by OfficeProcess,
    // but our connection went with the old one: end without a reply, so the
    // renderer counts the loss and starts a fresh server.
    if (answer.lost) {
      office.Stop(std::chrono::milliseconds(0));
      return EXIT_FAILURE;
    }
    Reply(answer.reply);
    if (answer.quit) break;
    // A request that took the office down leaves nothing to serve.
    if (!office.Running()) return EXIT_FAILURE;
  }
  // "quit" or the end of our input: either way the renderer is done with us.
  try {
    session.Quit();
  } catch (const css::uno::Exception&) {
    // the office is going away regardless
  }
  office.Stop(kQuitGrace);
  return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
  // End with the renderer's thread that started us, however it ends; the
  // office gets the same signal when we end.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  Options options;
  if (!ReadOptions(argc, argv, options)) {
    std::cerr << "usage: quillmere-render --soffice <soffice path> --profile <profile folder>\n";
    return 2;
  }
  // The UNO runtime finds its type libraries and services through this file.
  setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" QUILLMERE_LIBREOFFICE_PROGRAM_DIR "/fundamentalrc", 0);
  try {
    std::string pipe = PipeName();
    OfficeProcess office(options.soffice, options.profile, pipe);
    OfficeSession session(ConnectToOffice(pipe, office, kConnectLimit));
    Reply("ok ready");
    int status = Serve(session, office);
    // Tearing down the UNO bridge after the office has gone can block on its
    // threads; there is nothing left to release that the exit does not.
    std::fflush(nullptr);
    _exit(status);
  } catch (const css::uno::Exception& e) {
    Reply(ErrorReply("LibreOffice: " + FromUno(e.Message)));
  } catch (const std::exception& e) {
    Reply(ErrorReply(e.what()));
  }
  return EXIT_FAILURE;
}
