#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include "QuillmereVersion.h"
#include "cli/BatchCommandLine.h"

namespace quillmere::cli {
namespace {

std::string VersionText() {
  return fmt::format("quillmere {}.{}.{}.{}", QUILLMERE_VERSION_MAJOR, QUILLMERE_VERSION_MINOR,
                     QUILLMERE_VERSION_PATCH, QUILLMERE_VERSION_TWEAK);
}

constexpr const char* kFooter =
    "Exit status: the export's status code (0 success, 1-11 a failure explained in one line on stderr);\n"
    "batch: 0 when every deck gave 0, 7 when interrupted, else the status of the first deck that failed;\n"
    "64 for a bad command line; the trace viewer ends with 0, or 69 when it cannot listen;\n"
    "archive commands end with 0, 65 (damaged archive or entries refused), 66 (no such archive or folder),\n"
    "73 (the output cannot be written) or 75 (the archive stays in use by another program).";

void AddDeck(CLI::App& command, Invocation& run) {
  command.add_option("DECK", run.deck, "The presentation file")->required();
}

void AddOutputFolder(CLI::App& command, Invocation& run) {
  command.add_option("-o,--output", run.outputFolder, "Folder for the XML and extracted files (default: a temporary folder)");
}

}  // namespace

std::variant<Invocation, int> ParseCommandLine(int argc, char** argv, const std::vector<AddCommand>& more) {
  Invocation run;
  CLI::App app{"Turns a presentation into an XML description plus extracted files.", "quillmere"};
  app.set_version_flag("--version", VersionText());
  app.footer(kFooter);
  app.require_subcommand(1);
  app.fallthrough();
  app.add_flag("--trace", run.trace, "Print the library's trace lines on stderr");
  app.add_option("--emulate-version", run.emulatedVersion, "Answer as PowerPoint 11 (2003), 12 (2007) or 14 (2010)")
      ->check(CLI::IsMember({11, 12, 14}));
  app.add_flag("--no-images", run.skipImages, "Write the XML without drawing slide images (no LibreOffice needed)");

  CLI::App* presentation = app.add_subcommand("presentation", "Describe the whole presentation");
  AddDeck(*presentation, run);
  AddOutputFolder(*presentation, run);

  CLI::App* slides = app.add_subcommand("slides", "Describe the listed slides");
  AddDeck(*slides, run);
  slides->add_option("LIST", run.slideList, "Slide numbers separated by '|', e.g. \"1|4|7\"")->required();
  AddOutputFolder(*slides, run);

  CLI::App* slide = app.add_subcommand("slide", "Describe one slide");
  AddDeck(*slide, run);
  slide->add_option("N", run.slideIndex, "The slide number, from 1")->required();
  AddOutputFolder(*slide, run);

  CLI::App* thumbnails = app.add_subcommand("thumbnails", "Draw the slide thumbnails");
  AddDeck(*thumbnails, run);
  AddOutputFolder(*thumbnails, run);

  CLI::App* trace = app.add_subcommand("trace", "Print the library's trace records until Ctrl-C");
  AddBatchCommands(app, run);
  for (const AddCommand& add : more) add(app, run);

  CLI::App* archive = app.add_subcommand("archive", "List, extract or pack a project archive (.qpk)");
  archive->require_subcommand(1);
  CLI::App* archiveList = archive->add_subcommand("list", "List every folder and file, with long names");
  archiveList->add_option("ARCHIVE", run.archive, "The project archive")->required();
  CLI::App* archiveExtract = archive->add_subcommand("extract", "Extract every folder and file under its long name");
  archiveExtract->add_option("ARCHIVE", run.archive, "The project archive")->required();
  archiveExtract->add_option("-o,--output", run.outputFolder,
                             "Folder to extract into (default: the archive's name without extension, here)");
  CLI::App* archivePack = archive->add_subcommand("pack", "Pack a folder into a new project archive");
  archivePack->add_option("FOLDER", run.packFolder, "The folder to pack")->required();
  archivePack->add_option("ARCHIVE", run.archive, "The archive to write (one there is replaced)")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : kUsageExit;
  }

  if (presentation->parsed()) run.command = Command::Presentation;
  if (slides->parsed()) run.command = Command::Slides;
  if (slide->parsed()) run.command = Command::Slide;
  if (thumbnails->parsed()) run.command = Command::Thumbnails;
  if (trace->parsed()) run.command = Command::Trace;
  if (archiveList->parsed()) run.command = Command::ArchiveList;
  if (archiveExtract->parsed()) run.command = Command::ArchiveExtract;
  if (archivePack->parsed()) run.command = Command::ArchivePack;
  return run;
}

}  // namespace quillmere::cli
