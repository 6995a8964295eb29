#pragma once
// A corpus deck opened through the engine, without images, with the export
// state the writers read set up for it as an export would; closed again,
// with the engine quit and the output folder removed, when it goes.

#include <filesystem>
#include <string>

#include "engine/EngineRuntime.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/automation/Object.h"

class WriterDeck {
 public:
  explicit WriterDeck(const char* deck) {
    quillmere::engine::EngineOptions options;
    options.drawImages = false;
    app = quillmere::engine::EngineRuntime(options).CreateObject("PowerPoint.Application");
    std::string path = std::string(QUILLMERE_CORPUS_DIR) + "/" + deck;
    pres = app.Child("Presentations").Call("Open2007", path, -1, -1, 0, 0);
    quillmere::ExportContext& state = context;
    state.application = app;
    state.presentationName = path;
    state.outputFolder = (std::filesystem::temp_directory_path() / "quillmere-writer-bench").string() + "/";
    state.slideWidth = pres.Child("PageSetup").Get("SlideWidth").AsSingle();
    state.slideHeight = pres.Child("PageSetup").Get("SlideHeight").AsSingle();
    state.scaleX = state.scaleY = 4.0f / 3.0f;
  }
  ~WriterDeck() {
    pres.Call("Close");
    app.Call("Quit");
    std::filesystem::remove_all(context.outputFolder);
  }
  WriterDeck(const WriterDeck&) = delete;
  WriterDeck& operator=(const WriterDeck&) = delete;

  quillmere::Object app, pres;
  quillmere::ExportContext context;
};
