#pragma once
// The mouse actions of a slide, layout or master: where each a:hlinkClick and
// hover link sits (on a shape, or on a stretch of runs of its text) and what
// it does, read into the plain facts ActionSetting and Hyperlink answer.

#include <string>
#include <vector>

#include <pugixml.hpp>

namespace quillmere::engine {

class PresentationDocument;

// PpActionType values a link can stand for.
namespace action_type {
inline constexpr int kNone = 0;
inline constexpr int kNextSlide = 1;
inline constexpr int kPreviousSlide = 2;
inline constexpr int kFirstSlide = 3;
inline constexpr int kLastSlide = 4;
inline constexpr int kLastSlideViewed = 5;
inline constexpr int kEndShow = 6;
inline constexpr int kHyperlink = 7;
inline constexpr int kRunMacro = 8;
inline constexpr int kRunProgram = 9;
inline constexpr int kNamedSlideShow = 10;
inline constexpr int kOleVerb = 11;
inline constexpr int kPlay = 12;
}  // namespace action_type

// PpMouseActivation: the index of ActionSettings.
inline constexpr int kMouseClick = 1;
inline constexpr int kMouseOver = 2;

// One link of a part, as Hyperlinks lists it: on the shape itself, or on
// adjacent runs of one paragraph that carry the same link.
struct ActionLinkSite {
  pugi::xml_node treeChild;  // the shape as its tree or group holds it (an mc:AlternateContent included)
  pugi::xml_node cell;       // the a:tc whose text holds the link, for a table's text
  pugi::xml_node link;       // the a:hlinkClick, a:hlinkHover or a:hlinkMouseOver
  int activation = kMouseClick;
  std::vector<pugi::xml_node> runs;  // the a:r and a:fld of a link on text; none for the shape's own
};

// The links of a part's shapes in document order, group members at any depth
// and table cells included, from its top-level shapes (tree children). A
// link that does nothing (no action, no relationship, no sound) is left out.
std::vector<ActionLinkSite> ListActionLinks(const std::vector<pugi::xml_node>& topLevelShapes);

// The link elements of a shape's own (its p:cNvPr) or of a run, for a mouse
// activation; an empty node when it has none.
pugi::xml_node ShapeLinkOf(const pugi::xml_node& shape, int activation);
pugi::xml_node RunLinkOf(const pugi::xml_node& run, int activation);

// What a link does, as ActionSetting and its Hyperlink answer it.
struct ActionLink {
  int action = action_type::kNone;  // PpActionType
  std::string address;              // an external target as written, "" within the deck
  std::string subAddress;           // "SlideID,SlideIndex,Title" for a slide, else what follows '#'
  std::string screenTip;
  std::string emailSubject;
  std::string run;                  // the program of ppaction://program, the macro of ppaction://macro
  std::string slideShowName;
  std::string slideShowFailure;     // why the custom show cannot be named, "" when it can
  bool showAndReturn = false;
  bool highlightClick = false;
  int soundType = 0;                // PpSoundEffectType
  std::string soundName;
};

// Reads a link element of the part; an empty node is a link that does
// nothing. Relationships that are missing or lead nowhere in the deck leave
// the address empty: nothing here fails or looks outside the package.
ActionLink ReadActionLink(PresentationDocument& doc, const std::string& part, const pugi::xml_node& link);

// "SlideID,SlideIndex,Title" for a slide part of the deck, "" for any other part.
std::string SlideSubAddress(PresentationDocument& doc, const std::string& slidePart);
// The text of a slide's title placeholder, "" when it has none.
std::string SlideTitleOf(PresentationDocument& doc, const std::string& slidePart);

}  // namespace quillmere::engine
