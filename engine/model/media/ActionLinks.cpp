#include "engine/model/media/ActionLinks.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>

#include "engine/model/document/PresentationDocument.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/PlaceholderTypes.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/model/shapes/TableGrid.h"
#include "engine/model/slides/TransitionReader.h"
#include "engine/model/text/ShapeText.h"
#include "engine/model/text/TextRuns.h"
#include "engine/package/PartName.h"

namespace quillmere::engine {
namespace {

using namespace action_type;

constexpr std::string_view kScheme = "ppaction://";

// What each ppaction verb does; a jump names its target in the query. A verb
// missing here does nothing, as PowerPoint leaves a link it cannot run idle.
struct VerbAction {
  std::string_view verb;
  std::string_view jump;
  int action;
};
constexpr std::array<VerbAction, 15> kVerbActions{{
    {"noaction", "", kNone},
    {"hlinkshowjump", "nextslide", kNextSlide},
    {"hlinkshowjump", "previousslide", kPreviousSlide},
    {"hlinkshowjump", "firstslide", kFirstSlide},
    {"hlinkshowjump", "lastslide", kLastSlide},
    {"hlinkshowjump", "lastslideviewed", kLastSlideViewed},
    {"hlinkshowjump", "endshow", kEndShow},
    {"hlinksldjump", "", kHyperlink},
    {"hlinkfile", "", kHyperlink},
    {"hlinkpres", "", kHyperlink},
    {"macro", "", kRunMacro},
    {"program", "", kRunProgram},
    {"customshow", "", kNamedSlideShow},
    {"ole", "", kOleVerb},
    {"media", "", kPlay},
}};

using Query = std::vector<std::pair<std::string, std::string>>;

// An action attribute taken apart: "ppaction://customshow?id=0&return=true".
struct ParsedAction {
  bool given = false;
  std::string verb;  // lower case; "" for something not a ppaction
  Query query;
};

// "a=1&b=x%20y": keys in lower case, values percent-decoded; a pair without
// '=' has an empty value.
Query ParseQuery(std::string_view query) {
  Query pairs;
  while (!query.empty()) {
    std::size_t amp = query.find('&');
    std::string_view pair = query.substr(0, amp);
    std::size_t eq = pair.find('=');
    if (!pair.empty())
      pairs.emplace_back(LowerAscii(pair.substr(0, eq)),
                         eq == std::string_view::npos ? std::string() : DecodePercent(pair.substr(eq + 1)));
    if (amp == std::string_view::npos) break;
    query.remove_prefix(amp + 1);
  }
  return pairs;
}

std::optional<std::string> ValueOf(const Query& query, std::string_view key) {
  for (const auto& [k, v] : query)
    if (k == key) return v;
  return std::nullopt;
}

ParsedAction ParseAction(std::string_view action) {
  ParsedAction parsed;
  parsed.given = !action.empty();
  if (action.size() < kScheme.size() || LowerAscii(action.substr(0, kScheme.size())) != kScheme) return parsed;
  std::string_view rest = action.substr(kScheme.size());
  std::size_t question = rest.find('?');
  parsed.verb = LowerAscii(rest.substr(0, question));
  if (question != std::string_view::npos) parsed.query = ParseQuery(rest.substr(question + 1));
  return parsed;
}

int ActionOf(const ParsedAction& parsed) {
  std::string jump = LowerAscii(ValueOf(parsed.query, "jump").value_or(""));
  for (const VerbAction& v : kVerbActions)
    if (v.verb == parsed.verb && (v.jump.empty() || v.jump == jump)) return v.action;
  return kNone;
}

int ActivationOf(const pugi::xml_node& node) {
  std::string_view name = LocalName(node);
  if (name == "hlinkClick") return kMouseClick;
  if (name == "hlinkHover" || name == "hlinkMouseOver") return kMouseOver;
  return 0;
}

// PowerPoint lists a link without an action or a target only for its sound.
bool DoesSomething(const pugi::xml_node& link) {
  std::string verb = ParseAction(link.attribute("action").value()).verb;
  bool idle = verb.empty() ? !*link.attribute("action").value() : verb == "noaction";
  return !idle || !RelationshipId(link).empty() || ChildNamed(link, "snd");
}

bool SameLink(const pugi::xml_node& a, const pugi::xml_node& b) {
  return LocalName(a) == LocalName(b) && RelationshipId(a) == RelationshipId(b) &&
         std::string_view(a.attribute("action").value()) == b.attribute("action").value();
}

void AddShapeLinks(std::vector<ActionLinkSite>& sites, const pugi::xml_node& treeChild, const pugi::xml_node& shape) {
  for (pugi::xml_node c = DrawingPropertiesOf(shape).first_child(); c; c = c.next_sibling())
    if (int activation = ActivationOf(c); activation != 0 && DoesSomething(c))
      sites.push_back({treeChild, {}, c, activation, {}});
}

// Adjacent runs of a paragraph with the same link are one stretch of text;
// a line break, or a run without it, ends the stretch.
void AddTextLinks(std::vector<ActionLinkSite>& sites, const pugi::xml_node& treeChild, const pugi::xml_node& cell,
                  const pugi::xml_node& txBody) {
  ForEachChildNamed(txBody, "p", [&](const pugi::xml_node& paragraph) {
    std::array<std::optional<std::size_t>, 2> open;  // the stretch going on, per activation
    for (pugi::xml_node c = paragraph.first_child(); c; c = c.next_sibling()) {
      if (c.type() != pugi::node_element) continue;
      for (int activation : {kMouseClick, kMouseOver}) {
        std::optional<std::size_t>& stretch = open[activation - 1];
        pugi::xml_node link = IsTextRun(c) ? RunLinkOf(c, activation) : pugi::xml_node();
        if (!link || !DoesSomething(link)) {
          stretch.reset();
        } else if (stretch && SameLink(sites[*stretch].link, link)) {
          sites[*stretch].runs.push_back(c);
        } else {
          sites.push_back({treeChild, cell, link, activation, {c}});
          stretch = sites.size() - 1;
        }
      }
    }
  });
}

void AddTableLinks(std::vector<ActionLinkSite>& sites, const pugi::xml_node& treeChild, const pugi::xml_node& frame) {
  ForEachChildNamed(TableOf(frame), "tr", [&](const pugi::xml_node& row) {
    ForEachChildNamed(row, "tc", [&](const pugi::xml_node& cell) {
      AddTextLinks(sites, treeChild, cell, ChildNamed(cell, "txBody"));
    });
  });
}

// The Target a part's relationship writes, before it is resolved: what
// follows '#' in it is a place in the deck rather than a part.
std::string_view WrittenTarget(PresentationDocument& doc, const std::string& part, std::string_view id) {
  pugi::xml_document* rels = doc.Pkg().FindXml(RelationshipsPartName(part));
  if (!rels) return {};
  for (pugi::xml_node n = rels->document_element().first_child(); n; n = n.next_sibling())
    if (LocalName(n) == "Relationship" && id == n.attribute("Id").value()) return n.attribute("Target").value();
  return {};
}

// Address and SubAddress of a hyperlink's relationship. An external target
// reads as written, with what follows '#' as the sub-address (a mail address
// keeps it, and gives its subject too); an internal one
// is a slide of the deck or a place after '#', else it leads nowhere.
void ReadTarget(PresentationDocument& doc, const std::string& part, std::string_view id, ActionLink& a) {
  const Relationship* rel = id.empty() ? nullptr : doc.Pkg().FindRelationship(part, id);
  if (!rel) return;
  if (!rel->external) {
    std::string_view written = WrittenTarget(doc, part, id);
    a.subAddress = written.starts_with('#') ? std::string(written.substr(1)) : SlideSubAddress(doc, rel->target);
    return;
  }
  std::string_view target = rel->target;
  if (LowerAscii(target.substr(0, 7)) == "mailto:") {
    a.address = target;
    std::size_t question = target.find('?');
    if (question != std::string_view::npos)
      a.emailSubject = ValueOf(ParseQuery(target.substr(question + 1)), "subject").value_or("");
    return;
  }
  std::size_t hash = target.find('#');
  a.address = target.substr(0, hash);
  if (hash != std::string_view::npos) a.subAddress = target.substr(hash + 1);
}

// The name of custom show `id` in the presentation's p:custShowLst.
void ReadCustomShow(PresentationDocument& doc, const ParsedAction& parsed, ActionLink& a) {
  a.showAndReturn = LowerAscii(ValueOf(parsed.query, "return").value_or("")) == "true";
  std::string id = ValueOf(parsed.query, "id").value_or("");
  unsigned number = 0;
  auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), number);
  if (id.empty() || error != std::errc() || end != id.data() + id.size()) {
    a.slideShowFailure = "The custom show id \"" + id + "\" of the link is not a number.";
    return;
  }
  pugi::xml_node list = ChildNamed(doc.PartRoot(doc.MainPart()), "custShowLst");
  for (pugi::xml_node show = list.first_child(); show; show = show.next_sibling())
    if (LocalName(show) == "custShow" && show.attribute("id").as_uint() == number &&
        *show.attribute("id").value()) {
      a.slideShowName = show.attribute("name").value();
      return;
    }
  a.slideShowFailure = "The presentation has no custom show " + id + ".";
}

// A link to another presentation names its slide as PowerPoint writes it:
// no id of this deck, the slide's number and its title.
std::string OtherPresentationSlide(const ParsedAction& parsed) {
  std::optional<std::string> index = ValueOf(parsed.query, "slideindex");
  if (!index) return {};
  return "-1," + *index + "," + ValueOf(parsed.query, "slidetitle").value_or("");
}

}  // namespace

pugi::xml_node ShapeLinkOf(const pugi::xml_node& shape, int activation) {
  for (pugi::xml_node c = DrawingPropertiesOf(shape).first_child(); c; c = c.next_sibling())
    if (ActivationOf(c) == activation) return c;
  return {};
}

pugi::xml_node RunLinkOf(const pugi::xml_node& run, int activation) {
  for (pugi::xml_node c = ChildNamed(run, "rPr").first_child(); c; c = c.next_sibling())
    if (ActivationOf(c) == activation) return c;
  return {};
}

std::vector<ActionLinkSite> ListActionLinks(const std::vector<pugi::xml_node>& topLevelShapes) {
  std::vector<ActionLinkSite> sites;
  // Groups nest without a bound: members wait on a stack, not in recursion.
  std::vector<pugi::xml_node> pending(topLevelShapes.rbegin(), topLevelShapes.rend());
  while (!pending.empty()) {
    pugi::xml_node treeChild = pending.back();
    pending.pop_back();
    pugi::xml_node shape = ResolvedShape(treeChild);
    if (!shape) continue;
    AddShapeLinks(sites, treeChild, shape);
    std::string_view kind = LocalName(shape);
    if (kind == "grpSp") {
      std::vector<pugi::xml_node> members = ShapesIn(shape);
      pending.insert(pending.end(), members.rbegin(), members.rend());
    } else if (kind == "graphicFrame") {
      AddTableLinks(sites, treeChild, shape);
    } else {
      AddTextLinks(sites, treeChild, {}, ChildNamed(shape, "txBody"));
    }
  }
  return sites;
}

ActionLink ReadActionLink(PresentationDocument& doc, const std::string& part, const pugi::xml_node& link) {
  ActionLink a;
  if (!link) return a;
  a.screenTip = link.attribute("tooltip").value();
  a.highlightClick = link.attribute("highlightClick").as_bool();
  if (pugi::xml_node sound = ChildNamed(link, "snd")) {
    a.soundType = kSoundFile;
    a.soundName = sound.attribute("name").value();
  } else if (link.attribute("endSnd").as_bool()) {
    a.soundType = kSoundStopPrevious;
  }
  std::string_view id = RelationshipId(link);
  ParsedAction parsed = ParseAction(link.attribute("action").value());
  if (!parsed.given) {
    // A plain hyperlink: a web page, a mail address, a file.
    if (!id.empty()) a.action = kHyperlink;
    ReadTarget(doc, part, id, a);
    return a;
  }
  a.action = ActionOf(parsed);
  if (parsed.verb == "hlinksldjump" || parsed.verb == "hlinkfile") {
    ReadTarget(doc, part, id, a);
  } else if (parsed.verb == "hlinkpres") {
    ReadTarget(doc, part, id, a);
    if (a.subAddress.empty()) a.subAddress = OtherPresentationSlide(parsed);
  } else if (parsed.verb == "program") {
    const Relationship* rel = id.empty() ? nullptr : doc.Pkg().FindRelationship(part, id);
    if (rel && rel->external) a.run = rel->target;
  } else if (parsed.verb == "macro") {
    a.run = ValueOf(parsed.query, "name").value_or("");
  } else if (parsed.verb == "customshow") {
    ReadCustomShow(doc, parsed, a);
  }
  return a;
}

std::string SlideSubAddress(PresentationDocument& doc, const std::string& slidePart) {
  const std::vector<SlideEntry>& slides = doc.Slides();
  for (std::size_t i = 0; i < slides.size(); ++i)
    if (PartKey(slides[i].part) == PartKey(slidePart))
      return std::to_string(slides[i].id) + "," + std::to_string(i + 1) + "," + SlideTitleOf(doc, slides[i].part);
  return {};
}

std::string SlideTitleOf(PresentationDocument& doc, const std::string& slidePart) {
  for (const pugi::xml_node& treeChild : doc.TopLevelShapesOf(slidePart)) {
    pugi::xml_node shape = ResolvedShape(treeChild);
    if (IsTitlePlaceholder(PlaceholderOf(shape))) return TextOfBody(ChildNamed(shape, "txBody"));
  }
  return {};
}

}  // namespace quillmere::engine
