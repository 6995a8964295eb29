#include "media/WebObjects.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "media/ExportArchiveHandler.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Tags.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

constexpr int kWebObjectsIndent = 8;
constexpr std::int16_t kTaggedByNameVersion = 7;  // projects from here on tag with "WEB_OBJECT_" names

struct MediaSuffix {
  std::string_view suffix, type;
};
constexpr std::array<MediaSuffix, 7> kMediaSuffixes{{{".mp3", "audio/mp3"},
                                                     {".wmv", "video/wmv"},
                                                     {".mpg", "video/mpg"},
                                                     {"mpeg", "video/mpg"},
                                                     {".swf", "flash/swf"},
                                                     {".flv", "flash/flv"},
                                                     {".mov", "video/mov"}}};

void AddWebElement(pugi::xml_node parent, std::string_view name, std::string_view text) {
  LeavingOutOnFailure([&] { AddElement(kWebObjectsIndent, parent, name, text); });
}

// The shape's Left, Top, Width and Height scaled into Position, as written
// (rounded) or as the platform writes the product.
void AddShapePosition(ExportContext& context, pugi::xml_node position, const Object& shape, bool rounded) {
  struct Side {
    const char* member;
    const char* name;
    float scale;
  };
  for (const Side& side : {Side{"Left", "x", context.scaleX}, Side{"Top", "y", context.scaleY},
                           Side{"Width", "width", context.scaleX}, Side{"Height", "height", context.scaleY}}) {
    LeavingOutOnFailure([&] {
      float value = shape.Get(side.member).AsSingle();
      AddElement(
          kWebObjectsIndent, position, side.name,
          rounded ? RoundedText(static_cast<double>(value) * side.scale) : context.DecimalText(value, side.scale));
    });
  }
}

// A size as the tag gives it, the locale's decimal separator written as ".".
std::string Dotted(ExportContext& context, std::string text) {
  const std::string& separator = context.decimalSeparator;
  if (separator.empty() || separator == ".") return text;
  for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, at + 1))
    text.replace(at, separator.size(), ".");
  return text;
}

bool IsOverridden(const std::string& value) { return value == "YES" || LowerAscii(value) == "true"; }

// A path on this machine rather than an address: a drive path as the
// authoring application writes it, or an absolute path here.
bool IsLocalPath(const std::string& url) { return (url.size() >= 2 && url[1] == ':') || url.starts_with('/'); }

std::string Flag(const Object& shape, std::string_view tag) {
  return LeadingNumber(GetTag(shape, tag)) == 0 ? "no" : "yes";
}

bool HoldsFile(const std::string& folder, const char* name) {
  std::error_code ec;
  return std::filesystem::is_regular_file(Utf8Path(folder) / name, ec);
}

// "index.htm" or "index.html" below the folder name, when the folder holds one.
std::string IndexPage(const std::string& folder, const std::string& folderName, std::string_view otherwise) {
  if (HoldsFile(folder, "index.htm")) return folderName + "/index.htm";
  if (HoldsFile(folder, "index.html")) return folderName + "/index.html";
  return folderName + std::string(otherwise);
}

// A local web folder of a legacy web object, copied into the slide's own
// folder or extracted from the project archive; the address the player
// opens, empty when neither gave it the content.
std::string LocalWebFolderAddress(ExportContext& context, const Object& slide, const std::string& url) {
  WriteExportLog("WebObjects - Local Object");
  std::string folderName = "webobject_slide_" + std::to_string(slide.Get("SlideID").AsLong());
  std::string folder = context.outputFolder + folderName;
  std::error_code ec;
  if (FolderExists(url)) {
    CreateFolderPath(folder);
    std::filesystem::copy(Utf8Path(url), Utf8Path(folder),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing,
                          ec);
    WriteExportLog("WebObjects - " + std::to_string(ec.value()) + " - " + AddPathSeparator(url) + "*.*");
    if (HoldsFile(url, "index.htm") || HoldsFile(url, "index.html")) return IndexPage(url, folderName, "");
    WriteExportLog("WebObjects - Looking up cache");
  }
  GetSlideWO(context, folderName, context.outputFolder, context.projectArchivePath);
  if (!FolderExists(folder)) return {};
  return IndexPage(folder, folderName, "/");
}

void WriteNamedWebObject(ExportContext& context, pugi::xml_node webObject, pugi::xml_node position,
                         const Object& shape) {
  std::string id = GetTag(shape, "WEB_OBJECT_ID");
  std::string displayMode = GetTag(shape, "WEB_OBJECT_VIDEO_DISPLAY_MODE");
  std::string url = GetTag(shape, "WEB_OBJECT_URL");
  LeavingOutOnFailure([&] {
    AddAttribute(kWebObjectsIndent, webObject, "id", id);
    AddAttribute(kWebObjectsIndent, webObject, "legacy", "False");
  });
  AddWebElement(webObject, "TriggerTime", GetTag(shape, "WEB_OBJECT_START_TIME"));
  AddWebElement(webObject, "ContainerType", displayMode == "0" ? "inplayer" : "newwindow");
  AddWebElement(webObject, "ObjectType", GetMediaType(url));
  AddWebElement(webObject, "urlo", url);
  if (IsLocalPath(url)) url = context.outputFolder + "webobjects/" + id + "/local_files.zip";
  AddWebElement(webObject, "LoadMovie", GetTag(shape, "WEB_OBJECT_PLAY_MOVIE"));
  AddWebElement(webObject, "url", url);
  AddWebElement(webObject, "BrowserControls", GetTag(shape, "WEB_OBJECT_BROWSER_CONTROLS"));
  if (displayMode == "0") {
    AddShapePosition(context, position, shape, false);
    return;
  }
  AddWebElement(position, "x", "0");
  AddWebElement(position, "y", "0");
  std::string windowSize = GetTag(shape, "WEB_OBJECT_WINDOW_SIZE"), width, height;
  if (windowSize == "0") {
    width = height = "-1";
  } else if (windowSize == "1") {
    width = height = "0";
  } else if (windowSize == "2") {
    width = GetTag(shape, "WEB_OBJECT_WINDOW_SIZE_WIDTH");
    height = GetTag(shape, "WEB_OBJECT_WINDOW_SIZE_HEIGHT");
  }
  AddWebElement(position, "width", Dotted(context, width));
  AddWebElement(position, "height", Dotted(context, height));
}

void WriteLegacyWebObject(ExportContext& context, const Object& slide, pugi::xml_node webObject,
                          pugi::xml_node position, const Object& shape) {
  std::string player = GetTag(shape, "ZEL_PLAYER");
  std::string url = GetTag(shape, "WOURL");
  LeavingOutOnFailure([&] {
    AddAttribute(kWebObjectsIndent, webObject, "id", "1");
    AddAttribute(kWebObjectsIndent, webObject, "legacy", "True");
  });
  AddWebElement(webObject, "TriggerTime", GetTag(shape, "CORVANTA_LAYER_TIMING"));
  AddWebElement(webObject, "ContainerType", player == "YES" ? "inplayer" : "newwindow");
  AddWebElement(webObject, "ObjectType", GetMediaType(url));
  AddWebElement(webObject, "urlo", url);
  if (IsLocalPath(url)) {
    LeavingOutOnFailure([&] { url = LocalWebFolderAddress(context, slide, url); });
  } else {
    WriteExportLog("WebObjects - URL");
  }
  AddWebElement(webObject, "url", url);
  AddWebElement(webObject, "BrowserControls", GetTag(shape, "WEB_OBJECT_BROWSER_CONTROLS"));
  if (player != "NO") {
    AddWebElement(webObject, "BrowserOptions", "");
    AddShapePosition(context, position, shape, false);
    std::string mode = TrimSpaces(GetTag(shape, "CORVANTA_SCALE_MODE"));
    AddWebElement(position, "Mode", mode == "1" ? "scaleposition" : mode == "2" ? "scalesize" : "scaleall");
    return;
  }
  AddWebElement(webObject, "BrowserOptions", BuildBrowserOptions(shape));
  std::string width = "-1", height = "-1";
  switch (static_cast<int>(LeadingNumber(GetTag(shape, "WOSIZE")))) {
    case 2: width = height = "0"; break;
    case 3:
      width = GetTag(shape, "WOHRES");
      height = GetTag(shape, "WOVRES");
      break;
    default: break;
  }
  AddWebElement(position, "x", "0");
  AddWebElement(position, "y", "0");
  AddWebElement(position, "width", context.DecimalText(static_cast<float>(LeadingNumber(width)), context.scaleX));
  AddWebElement(position, "height", context.DecimalText(static_cast<float>(LeadingNumber(height)), context.scaleY));
  AddWebElement(position, "Mode", "");
}

bool PlaysInPanel(const Object& shape) {
  return GetTag(shape, "OVERRIDE_SWF") != "YES" || GetTag(shape, "ZEL_PLAYER") == "PANEL";
}

// The window features of a movie in a window of its own, by WO_CONTROLS.
void AddMovieWindowOptions(pugi::xml_node options, const std::string& controls) {
  static constexpr std::array<std::string_view, 6> kNames{"menubar", "status", "location",
                                                          "toolbar", "scrollbars", "resizable"};
  static constexpr std::array<std::array<bool, 6>, 3> kShown{{{true, true, true, true, true, false},
                                                              {true, true, false, true, true, true},
                                                              {false, false, false, false, false, false}}};
  double choice = LeadingNumber(controls);
  if (choice != 0 && choice != 1 && choice != 2) return;
  for (std::size_t i = 0; i < kNames.size(); ++i)
    LeavingOutOnFailure(
        [&] { AddAttribute(kWebObjectsIndent, options, kNames[i], kShown[static_cast<std::size_t>(choice)][i] ? "yes" : "no"); });
}

std::string WithoutLeadingDot(const std::string& path) {
  return path.starts_with(".\\") || path.starts_with("./") ? path.substr(2) : path;
}

}  // namespace

std::string GetMediaType(const std::string& name) {
  std::string trimmed = TrimSpaces(name);
  if (trimmed.size() <= 3) return "html";
  std::string tail = LowerAscii(trimmed.substr(trimmed.size() - 4));
  for (const MediaSuffix& m : kMediaSuffixes)
    if (tail == m.suffix) return std::string(m.type);
  return tail.ends_with("rm") ? "video/rm" : "html";
}

std::string BuildBrowserOptions(const Object& shape) {
  double controls = LeadingNumber(GetTag(shape, "WO_CONTROLS"));
  if (controls != 0 && controls != 1 && controls != 2) return {};
  return "menubar=" + Flag(shape, "WOMBAR") + ",status=" + Flag(shape, "WOSBAR") + ",location=" +
         Flag(shape, "WOABAR") + ",toolbar=" + Flag(shape, "WOTBAR") + ",resizable=" + Flag(shape, "WORESIZE") +
         ",scrollbars=" + Flag(shape, "WOSCROLL");
}

void WriteWebObject(ExportContext& context, const Object& slide, pugi::xml_node webObjects, const Object& shape,
                    std::int16_t projectVersion) {
  pugi::xml_node webObject = AppendContainer(webObjects, "WebObject");
  pugi::xml_node position = AppendContainer(webObject, "Position");
  if (!IsOverridden(GetTag(shape, "OVERRIDE_WO"))) return;
  if (projectVersion >= kTaggedByNameVersion)
    WriteNamedWebObject(context, webObject, position, shape);
  else
    WriteLegacyWebObject(context, slide, webObject, position, shape);
}

void WriteVideoObject(ExportContext& context, const Object&, pugi::xml_node slideElement, const Object& shape) {
  if (PlaysInPanel(shape)) return;
  pugi::xml_node video = AppendContainer(slideElement, "VideoObject");
  std::string id = GetTag(shape, "VIDEO_ID");
  std::string sourceType = GetTag(shape, "VIDEO_SOURCE_TYPE");
  AddWebElement(video, "Id", id);
  AddWebElement(video, "ContainerType", GetTag(shape, "CONTAINER"));
  AddWebElement(video, "VideoSourceType", sourceType);
  AddWebElement(video, "VideoTitle", GetTag(shape, "VIDEO_TITLE"));
  AddWebElement(video, "ThumbnailPlaceholder", GetTag(shape, "THUMBNAIL_IS_PLACEHOLDER"));
  if (LowerAscii(sourceType) == "local") {
    std::string folder = context.outputFolder + "videos/" + id + "/";
    AddWebElement(video, "OriginalPath", folder + WithoutLeadingDot(GetTag(shape, "SWF_MOVIE_PATH_ORIGINAL")));
    AddWebElement(video, "Path", folder + WithoutLeadingDot(GetTag(shape, "SWF_MOVIE_PATH")));
  }
  AddWebElement(video, "SourcePath", GetTag(shape, "SWF_MOVIE_PATH_SOURCE"));
  AddWebElement(video, "Player", GetTag(shape, "ZEL_PLAYER"));
  AddWebElement(video, "ShowControls", GetTag(shape, "VIDEO_SHOW_CONTROLS"));
  AddWebElement(video, "LayerTiming", GetTag(shape, "CORVANTA_LAYER_TIMING"));
  AddWebElement(video, "VideoMode", GetTag(shape, "VIDEO_MODE"));
  AddWebElement(video, "MovieDuration", GetTag(shape, "SWF_MOVIE_DURATION"));
  AddWebElement(video, "CompressedOnInsert", GetTag(shape, "VIDEO_COMPRESSED_ON_IMPORT"));
  AddWebElement(video, "CompressOnPublish", GetTag(shape, "VIDEO_COMPRESS_ON_PUBLISH"));
  LeavingOutOnFailure([&] { AddElement(kWebObjectsIndent, video, "AlternativeText", shape.Get("AlternativeText").AsString()); });
  AddShapePosition(context, AppendContainer(video, "Position"), shape, true);
}

void WriteFlashObject(ExportContext& context, const Object&, pugi::xml_node slideElement, const Object& shape) {
  if (PlaysInPanel(shape)) return;
  pugi::xml_node flash = AppendContainer(slideElement, "FlashObject");
  pugi::xml_node position = AppendContainer(flash, "Position");
  pugi::xml_node options = AppendContainer(flash, "BrowserOptions");
  std::string moviePath = GetTag(shape, "SWF_MOVIE_PATH");
  std::string fileName = TaggedFileName(moviePath);
  // Only a plain name may land in the output folder.
  if (fileName.empty() || fileName == "." || fileName == "..") fileName.clear();
  std::error_code ec;
  if (!fileName.empty()) {
    if (std::filesystem::is_regular_file(Utf8Path(moviePath), ec))
      CopyFileOverwriting(moviePath, context.outputFolder + fileName);
    else
      GetSlideFO(context, fileName, context.outputFolder, context.projectArchivePath);
  }
  LeavingOutOnFailure([&] { AddAttribute(kWebObjectsIndent, flash, "id", "1"); });
  std::string player = GetTag(shape, "ZEL_PLAYER");
  if (player == "YES" || player == "NO") {
    std::string command = GetTag(shape, "CORVANTA_PLAYER_SEEK") == "1" ? "standard" : "none";
    bool loader = player == "YES" && LowerAscii(GetTag(shape, "CONTAINER")) == "movieloader";
    AddWebElement(flash, "containerType", loader ? "movieloader" : player == "YES" ? "inplayer" : "newvideowindow");
    AddWebElement(flash, "timelinecommand", loader ? "corvanta" : command);
    AddWebElement(flash, "triggerTime", GetTag(shape, "CORVANTA_LAYER_TIMING"));
  }
  AddWebElement(flash, "filename", context.outputFolder + fileName);
  AddWebElement(flash, "buffertime", GetTag(shape, "LOADER_BUFFER"));
  if (player != "NO") {
    AddShapePosition(context, position, shape, true);
    return;
  }
  AddMovieWindowOptions(options, GetTag(shape, "WO_CONTROLS"));
  AddWebElement(position, "x", "0");
  AddWebElement(position, "y", "0");
  AddWebElement(position, "width", RoundedText(LeadingNumber(GetTag(shape, "WINDOW_SIZE_WIDTH"))));
  AddWebElement(position, "height", RoundedText(LeadingNumber(GetTag(shape, "WINDOW_SIZE_HEIGHT"))));
}

bool GetSlideWO(ExportContext& context, std::string folderName, const std::string& outputFolder,
                std::string projectArchivePath) {
  ExtractArchiveFolder(context, std::move(folderName), outputFolder, std::move(projectArchivePath), "GetSlideWO");
  return true;
}

bool GetSlideFO(ExportContext& context, std::string fileName, const std::string& outputFolder,
                std::string projectArchivePath) {
  LeavingOutOnFailure([&] {
    cProjectFileHandler handler = ExportArchiveHandler(context, outputFolder, projectArchivePath);
    handler.ExtractMovie(fileName);
    WriteExportLog("GetSlideFO Exit code - " + handler.ExitCode());
  });
  return true;
}

}  // namespace quillmere
