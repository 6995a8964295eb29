#include "engine/model/slides/TransitionEffect.h"

#include <initializer_list>
#include <string_view>
#include <utility>

#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {
namespace {

using Choices = std::initializer_list<std::pair<std::string_view, int>>;

// The value chosen by an attribute's token; its default when absent, and
// nullopt for a token the effect has no value for.
std::optional<int> ByToken(const pugi::xml_node& e, const char* attribute, std::string_view fallback,
                           Choices choices) {
  pugi::xml_attribute a = e.attribute(attribute);
  std::string_view token = a ? std::string_view(a.value()) : fallback;
  for (const auto& [name, value] : choices)
    if (name == token) return value;
  return std::nullopt;
}

bool Flag(const pugi::xml_node& e, const char* attribute) { return e.attribute(attribute).as_bool(false); }

// Offsets of the four side directions within an effect family that counts
// left, up, right, down.
std::optional<int> BySide(const pugi::xml_node& e, int left) {
  return ByToken(e, "dir", "l", {{"l", left}, {"u", left + 1}, {"r", left + 2}, {"d", left + 3}});
}

std::optional<int> ByLeftRight(const pugi::xml_node& e, int left, int right) {
  return ByToken(e, "dir", "l", {{"l", left}, {"r", right}});
}

// Cover and uncover count the sides, then the corners.
std::optional<int> ByEightDirections(const pugi::xml_node& e, int left) {
  return ByToken(e, "dir", "l",
                 {{"l", left}, {"u", left + 1}, {"r", left + 2}, {"d", left + 3},
                  {"lu", left + 4}, {"ru", left + 5}, {"ld", left + 6}, {"rd", left + 7}});
}

std::optional<int> ByOrientation(const pugi::xml_node& e, int horizontal, int vertical) {
  return ByToken(e, "dir", "horz", {{"horz", horizontal}, {"vert", vertical}});
}

// p14:prism is four galleries entries: the cube turns the slide, rotate turns
// only its content, and inverted they are the box and the orbit.
std::optional<int> Prism(const pugi::xml_node& e) {
  bool content = Flag(e, "isContent"), inverted = Flag(e, "isInverted");
  int left = content ? (inverted ? 3926 : 3918) : (inverted ? 3922 : 3914);
  return BySide(e, left);
}

// p15:prstTrans names a preset; invX turns a left-going preset into its right-going twin.
std::optional<int> PresetTransition(const pugi::xml_node& e) {
  bool right = Flag(e, "invX");
  auto sided = [right](int left) { return right ? left + 1 : left; };
  return ByToken(e, "prst", "",
                 {{"fallOver", sided(3934)}, {"drape", sided(3936)}, {"curtains", 3938}, {"wind", sided(3939)},
                  {"prestige", 3941}, {"fracture", 3942}, {"crush", 3943}, {"peelOff", sided(3944)},
                  {"pageCurlSingle", sided(3946)}, {"pageCurlDouble", sided(3948)}, {"airplane", sided(3950)},
                  {"origami", sided(3952)}});
}

using EffectReader = std::optional<int> (*)(const pugi::xml_node&);

struct EffectElement {
  std::string_view name;
  EffectReader read;
};

// Direction tokens name the way the effect travels, with one exception that
// PowerPoint shows when it saves: ppEffectPushLeft is written dir="r" and
// ppEffectPushRight dir="l", while up and down are written as named.
constexpr EffectElement kEffects[] = {
    {"cut", [](const pugi::xml_node& e) -> std::optional<int> { return Flag(e, "thruBlk") ? 258 : 257; }},
    {"fade", [](const pugi::xml_node& e) -> std::optional<int> { return Flag(e, "thruBlk") ? 1793 : 3849; }},
    {"blinds", [](const pugi::xml_node& e) { return ByOrientation(e, 769, 770); }},
    {"checker", [](const pugi::xml_node& e) { return ByOrientation(e, 1025, 1026); }},
    {"comb", [](const pugi::xml_node& e) { return ByOrientation(e, 3847, 3848); }},
    {"randomBar", [](const pugi::xml_node& e) { return ByOrientation(e, 2305, 2306); }},
    {"cover", [](const pugi::xml_node& e) { return ByEightDirections(e, 1281); }},
    {"pull", [](const pugi::xml_node& e) { return ByEightDirections(e, 2049); }},
    {"push",
     [](const pugi::xml_node& e) { return ByToken(e, "dir", "l", {{"d", 3852}, {"r", 3853}, {"l", 3854}, {"u", 3855}}); }},
    {"wipe", [](const pugi::xml_node& e) { return BySide(e, 2817); }},
    {"split",
     [](const pugi::xml_node& e) {
       bool in = std::string_view(e.attribute("dir").value()) == "in";
       return ByToken(e, "orient", "horz", {{"horz", in ? 3586 : 3585}, {"vert", in ? 3588 : 3587}});
     }},
    {"strips", [](const pugi::xml_node& e) { return ByToken(e, "dir", "lu", {{"lu", 2565}, {"ru", 2566}, {"ld", 2567}, {"rd", 2568}}); }},
    {"wheel",
     [](const pugi::xml_node& e) {
       return ByToken(e, "spokes", "4", {{"1", 3857}, {"2", 3858}, {"3", 3859}, {"4", 3860}, {"8", 3861}});
     }},
    {"zoom", [](const pugi::xml_node& e) { return ByToken(e, "dir", "out", {{"out", 3073}, {"in", 3074}}); }},
    {"circle", [](const pugi::xml_node&) -> std::optional<int> { return 3845; }},
    {"diamond", [](const pugi::xml_node&) -> std::optional<int> { return 3846; }},
    {"dissolve", [](const pugi::xml_node&) -> std::optional<int> { return 1537; }},
    {"newsflash", [](const pugi::xml_node&) -> std::optional<int> { return 3850; }},
    {"plus", [](const pugi::xml_node&) -> std::optional<int> { return 3851; }},
    {"random", [](const pugi::xml_node&) -> std::optional<int> { return 513; }},
    {"wedge", [](const pugi::xml_node&) -> std::optional<int> { return 3856; }},
    // The 2010 transitions (p14).
    {"vortex", [](const pugi::xml_node& e) { return BySide(e, 3863); }},
    {"switch", [](const pugi::xml_node& e) { return BySide(e, 3901); }},
    {"flip", [](const pugi::xml_node& e) { return BySide(e, 3905); }},
    {"ripple",
     [](const pugi::xml_node& e) {
       return ByToken(e, "dir", "center", {{"center", 3867}, {"ru", 3868}, {"lu", 3869}, {"ld", 3870}, {"rd", 3871}});
     }},
    {"honeycomb", [](const pugi::xml_node&) -> std::optional<int> { return 3898; }},
    {"prism", Prism},
    {"doors", [](const pugi::xml_node& e) { return ByOrientation(e, 3885, 3884); }},
    {"window", [](const pugi::xml_node& e) { return ByOrientation(e, 3887, 3886); }},
    {"ferris", [](const pugi::xml_node& e) { return ByLeftRight(e, 3899, 3900); }},
    {"gallery", [](const pugi::xml_node& e) { return ByLeftRight(e, 3880, 3881); }},
    {"conveyor", [](const pugi::xml_node& e) { return ByLeftRight(e, 3882, 3883); }},
    {"pan", [](const pugi::xml_node& e) { return BySide(e, 3930); }},
    {"glitter",
     [](const pugi::xml_node& e) {
       return BySide(e, std::string_view(e.attribute("pattern").value()) == "hexagon" ? 3876 : 3872);
     }},
    {"warp", [](const pugi::xml_node& e) { return ByToken(e, "dir", "out", {{"in", 3888}, {"out", 3889}}); }},
    {"flythrough",
     [](const pugi::xml_node& e) {
       bool bounce = Flag(e, "hasBounce");
       return ByToken(e, "dir", "in", {{"in", bounce ? 3892 : 3890}, {"out", bounce ? 3893 : 3891}});
     }},
    {"flash", [](const pugi::xml_node&) -> std::optional<int> { return 3909; }},
    {"shred",
     [](const pugi::xml_node& e) {
       int in = std::string_view(e.attribute("pattern").value()) == "rectangle" ? 3912 : 3910;
       return ByToken(e, "dir", "in", {{"in", in}, {"out", in + 1}});
     }},
    {"reveal",
     [](const pugi::xml_node& e) { return Flag(e, "thruBlk") ? ByLeftRight(e, 3896, 3897) : ByLeftRight(e, 3894, 3895); }},
    {"wheelReverse", [](const pugi::xml_node&) -> std::optional<int> { return 3862; }},
    // The 2013 presets (p15) and morph (p159).
    {"prstTrans", PresetTransition},
    {"morph",
     [](const pugi::xml_node& e) {
       return ByToken(e, "option", "byObject", {{"byObject", 3954}, {"byWord", 3955}, {"byChar", 3956}});
     }},
};

}  // namespace

std::optional<int> EntryEffectOf(const pugi::xml_node& effect) {
  std::string_view name = LocalName(effect);
  for (const EffectElement& e : kEffects)
    if (e.name == name) return e.read(effect);
  return std::nullopt;
}

}  // namespace quillmere::engine
