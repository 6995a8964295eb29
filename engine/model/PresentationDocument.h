#pragma once
// The facts of one open presentation package, read from its parts on first
// use: slide size, slide list, masters and their layouts, shape counts, tags.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/package/Package.h"

namespace quillmere::engine {

struct SlideEntry {
  std::uint32_t id = 0;
  std::string part;  // "ppt/slides/slide1.xml"
};

using TagList = std::vector<std::pair<std::string, std::string>>;

class PresentationDocument {
 public:
  // Throws PackageError(NotAPresentation) when the main part cannot be parsed.
  explicit PresentationDocument(std::unique_ptr<Package> package);

  Package& Pkg() { return *package_; }
  const std::string& MainPart() const { return mainPart_; }

  float SlideWidth() const { return slideWidth_; }    // points
  float SlideHeight() const { return slideHeight_; }  // points
  int FirstSlideNumber() const { return firstSlideNumber_; }

  const std::vector<SlideEntry>& Slides() const { return slides_; }
  const std::vector<std::string>& Masters() const { return masters_; }
  const std::vector<std::string>& LayoutsOfMaster(const std::string& masterPart);
  // The master a slide (through its layout) or a layout belongs to; empty when unknown.
  std::string MasterOfPart(const std::string& part);

  // Top-level shapes of the slide, layout or master part (0 when unreadable).
  int ShapeCount(const std::string& part);
  // The root of a slide, layout or master part, or an empty node.
  pugi::xml_node PartRoot(const std::string& part);
  // Tags attached to the presentation (part = MainPart()) or to a slide.
  const TagList& Tags(const std::string& part);

 private:
  std::unique_ptr<Package> package_;
  std::string mainPart_;
  float slideWidth_ = 720.0f;
  float slideHeight_ = 540.0f;
  int firstSlideNumber_ = 1;
  std::vector<SlideEntry> slides_;
  std::vector<std::string> masters_;
  std::unordered_map<std::string, std::vector<std::string>> layouts_;
  std::unordered_map<std::string, int> shapeCounts_;
  std::unordered_map<std::string, TagList> tags_;
};

}  // namespace quillmere::engine
