#include "engine/model/timeline/AnimationEnums.h"

#include <array>
#include <utility>

namespace quillmere::engine {
namespace {

enum class PresetClass { EntranceOrExit, Emphasis, Path, Media };

struct PresetEffect {
  PresetClass presetClass;
  int presetId;
  int effect;  // MsoAnimEffect
};

// PowerPoint's presets by id. The MsoAnimEffect values follow the preset ids
// in order, which places the ids no effect name fixes: entrance 51 (Magnify
// in the gallery) is msoAnimEffectZip; emphasis 35 (Blink) has no value of
// its own and answers msoAnimEffectCustom.
constexpr PresetEffect kEffectPresets[] = {
    // Entrance and exit.
    {PresetClass::EntranceOrExit, 1, 1},     // appear / disappear
    {PresetClass::EntranceOrExit, 2, 2},     // fly
    {PresetClass::EntranceOrExit, 3, 3},     // blinds
    {PresetClass::EntranceOrExit, 4, 4},     // box
    {PresetClass::EntranceOrExit, 5, 5},     // checkerboard
    {PresetClass::EntranceOrExit, 6, 6},     // circle
    {PresetClass::EntranceOrExit, 7, 7},     // crawl
    {PresetClass::EntranceOrExit, 8, 8},     // diamond
    {PresetClass::EntranceOrExit, 9, 9},     // dissolve
    {PresetClass::EntranceOrExit, 10, 10},   // fade
    {PresetClass::EntranceOrExit, 11, 11},   // flash once
    {PresetClass::EntranceOrExit, 12, 12},   // peek
    {PresetClass::EntranceOrExit, 13, 13},   // plus
    {PresetClass::EntranceOrExit, 14, 14},   // random bars
    {PresetClass::EntranceOrExit, 15, 15},   // spiral
    {PresetClass::EntranceOrExit, 16, 16},   // split
    {PresetClass::EntranceOrExit, 17, 17},   // stretch
    {PresetClass::EntranceOrExit, 18, 18},   // strips
    {PresetClass::EntranceOrExit, 19, 19},   // swivel
    {PresetClass::EntranceOrExit, 20, 20},   // wedge
    {PresetClass::EntranceOrExit, 21, 21},   // wheel
    {PresetClass::EntranceOrExit, 22, 22},   // wipe
    {PresetClass::EntranceOrExit, 23, 23},   // zoom
    {PresetClass::EntranceOrExit, 24, 24},   // random effects
    {PresetClass::EntranceOrExit, 25, 25},   // boomerang
    {PresetClass::EntranceOrExit, 26, 26},   // bounce
    {PresetClass::EntranceOrExit, 27, 27},   // colour typewriter
    {PresetClass::EntranceOrExit, 28, 28},   // credits
    {PresetClass::EntranceOrExit, 29, 29},   // ease in / out
    {PresetClass::EntranceOrExit, 30, 30},   // float
    {PresetClass::EntranceOrExit, 31, 31},   // grow and turn
    {PresetClass::EntranceOrExit, 34, 32},   // light speed
    {PresetClass::EntranceOrExit, 35, 33},   // pinwheel
    {PresetClass::EntranceOrExit, 37, 34},   // rise up / sink down
    {PresetClass::EntranceOrExit, 38, 35},   // swish
    {PresetClass::EntranceOrExit, 39, 36},   // thin line
    {PresetClass::EntranceOrExit, 40, 37},   // unfold
    {PresetClass::EntranceOrExit, 41, 38},   // whip
    {PresetClass::EntranceOrExit, 42, 39},   // ascend
    {PresetClass::EntranceOrExit, 43, 40},   // centre revolve
    {PresetClass::EntranceOrExit, 45, 41},   // faded swivel
    {PresetClass::EntranceOrExit, 47, 42},   // descend
    {PresetClass::EntranceOrExit, 48, 43},   // sling
    {PresetClass::EntranceOrExit, 49, 44},   // spinner
    {PresetClass::EntranceOrExit, 50, 45},   // stretchy (compress)
    {PresetClass::EntranceOrExit, 51, 46},   // zip (magnify)
    {PresetClass::EntranceOrExit, 52, 47},   // arc up
    {PresetClass::EntranceOrExit, 53, 48},   // faded zoom
    {PresetClass::EntranceOrExit, 54, 49},   // glide
    {PresetClass::EntranceOrExit, 55, 50},   // expand
    {PresetClass::EntranceOrExit, 56, 51},   // flip
    {PresetClass::EntranceOrExit, 58, 53},   // fold
    // Emphasis.
    {PresetClass::Emphasis, 1, 54},   // change fill colour
    {PresetClass::Emphasis, 2, 55},   // change font
    {PresetClass::Emphasis, 3, 56},   // change font colour
    {PresetClass::Emphasis, 4, 57},   // change font size
    {PresetClass::Emphasis, 5, 58},   // change font style
    {PresetClass::Emphasis, 6, 59},   // grow / shrink
    {PresetClass::Emphasis, 7, 60},   // change line colour
    {PresetClass::Emphasis, 8, 61},   // spin
    {PresetClass::Emphasis, 9, 62},   // transparency
    {PresetClass::Emphasis, 10, 63},  // bold flash
    {PresetClass::Emphasis, 14, 64},  // blast
    {PresetClass::Emphasis, 15, 65},  // bold reveal
    {PresetClass::Emphasis, 16, 66},  // brush on colour
    {PresetClass::Emphasis, 18, 67},  // brush on underline
    {PresetClass::Emphasis, 19, 68},  // colour blend
    {PresetClass::Emphasis, 20, 69},  // colour wave
    {PresetClass::Emphasis, 21, 70},  // complementary colour
    {PresetClass::Emphasis, 22, 71},  // complementary colour 2
    {PresetClass::Emphasis, 23, 72},  // contrasting colour
    {PresetClass::Emphasis, 24, 73},  // darken
    {PresetClass::Emphasis, 25, 74},  // desaturate
    {PresetClass::Emphasis, 26, 75},  // flash bulb
    {PresetClass::Emphasis, 27, 76},  // flicker
    {PresetClass::Emphasis, 28, 77},  // grow with colour
    {PresetClass::Emphasis, 30, 78},  // lighten
    {PresetClass::Emphasis, 31, 79},  // style emphasis
    {PresetClass::Emphasis, 32, 80},  // teeter
    {PresetClass::Emphasis, 33, 81},  // vertical grow
    {PresetClass::Emphasis, 34, 82},  // wave
    {PresetClass::Emphasis, 36, 52},  // shimmer
    // Media.
    {PresetClass::Media, 1, 83},  // play
    {PresetClass::Media, 2, 84},  // pause
    {PresetClass::Media, 3, 85},  // stop
};

// Motion paths 1..62 are msoAnimEffectPathCircle (86) on in id order; the
// last two swap.
constexpr int kFirstPathEffect = 85;
constexpr int kLastOrderedPath = 62;
constexpr int kPathRightPreset = 63;  // msoAnimEffectPathRight
constexpr int kPathUpPreset = 64;     // msoAnimEffectPathUp

struct SubtypeDirection {
  int effect;  // MsoAnimEffect; 0: any entrance or exit effect without a row of its own
  int subtype;
  int direction;  // MsoAnimDirection
};

// What a presetSubtype means for an entrance or exit effect: a side or
// corner to come from or go to (bits: 1 top, 2 right, 4 bottom, 8 left),
// in or out, horizontal or vertical. Sides answer the values PowerPoint's fly
// and wipe take for "from the top" and so on (msoAnimDirectionTop, ...Right,
// ...Bottom, ...Left); the checkerboard, strips and stretch effects read some
// subtypes their own way, and the wheel's subtype counts its spokes.
constexpr SubtypeDirection kDirections[] = {
    {5, 5, kDirectionDown},  // checkerboard: downward
    {5, 10, 18},             // checkerboard: across
    {17, 10, 18},            // stretch: across
    {18, 3, 7},              // strips: up right
    {18, 6, 8},              // strips: down right
    {18, 9, 6},              // strips: up left
    {18, 12, 9},             // strips: down left
    {0, 1, 10},              // top
    {0, 2, kDirectionRight},
    {0, 3, 13},    // top right
    {0, 4, 11},    // bottom
    {0, 5, 16},    // horizontal
    {0, 6, 14},    // bottom right
    {0, 8, kDirectionLeft},
    {0, 9, 12},    // top left
    {0, 10, 17},   // vertical
    {0, 12, 15},   // bottom left
    {0, 16, 19},   // in
    {0, 21, 25},   // vertical in
    {0, 26, 23},   // horizontal in
    {0, 32, 20},   // out
    {0, 36, 33},   // out from the centre
    {0, 37, 26},   // vertical out
    {0, 42, 24},   // horizontal out
    {0, 272, 29},  // in slightly
    {0, 288, 32},  // out slightly
    {0, 528, 30},  // in from the centre
};
constexpr int kWheel = 21;

constexpr std::pair<std::string_view, int> kAnimTypes[] = {
    {"animMotion", 1}, {"animClr", 2}, {"animScale", 3}, {"animRot", 4}, {"anim", 5},
    {"cmd", 6},        {"animEffect", 7}, {"set", 8},
};

constexpr std::pair<std::string_view, int> kProperties[] = {
    {"ppt_x", 1},
    {"ppt_y", 2},
    {"ppt_w", 3},
    {"ppt_h", 4},
    {"style.opacity", 5},
    {"r", 6},
    {"style.rotation", 6},
    {"ppt_c", 7},
    {"style.visibility", 8},
    {"style.fontWeight", 100},
    {"style.color", 101},
    {"style.textEffectEmboss", 102},
    {"style.fontStyle", 103},
    {"style.fontFamily", 104},
    {"style.textShadow", 105},
    {"style.fontSize", 106},
    {"style.textDecorationUnderline", 109},
    {"style.textDecorationLineThrough", 110},
    {"imageData.gain", 1000},
    {"imageData.blacklevel", 1001},
    {"imageData.gamma", 1002},
    {"imageData.grayscale", 1003},
    {"fill.on", 1004},
    {"fillcolor", 1005},
    {"fillColor", 1005},
    {"fill.color", 1005},
    {"fill.opacity", 1006},
    {"fill.color2", 1007},
    {"stroke.on", 1008},
    {"stroke.color", 1009},
    {"shadow.on", 1010},
    {"shadow.type", 1011},
    {"shadow.color", 1012},
    {"shadow.opacity", 1013},
    {"shadow.offset.x", 1014},
    {"shadow.offset.y", 1015},
};

}  // namespace

int AnimEffectOf(std::string_view presetClass, int presetId) {
  PresetClass kind;
  if (presetClass == "entr" || presetClass == "exit") {
    kind = PresetClass::EntranceOrExit;
  } else if (presetClass == "emph") {
    kind = PresetClass::Emphasis;
  } else if (presetClass == "mediacall") {
    kind = PresetClass::Media;
  } else if (presetClass == "path") {
    if (presetId >= 1 && presetId <= kLastOrderedPath) return kFirstPathEffect + presetId;
    if (presetId == kPathRightPreset) return 149;
    if (presetId == kPathUpPreset) return 148;
    return kAnimEffectCustom;
  } else {
    return kAnimEffectCustom;
  }
  for (const PresetEffect& p : kEffectPresets)
    if (p.presetClass == kind && p.presetId == presetId) return p.effect;
  return kAnimEffectCustom;
}

int AnimDirectionOf(int effectType, int presetSubtype) {
  if (effectType == kWheel || presetSubtype == 0) return kDirectionNone;
  for (const SubtypeDirection& d : kDirections)
    if (d.effect == effectType && d.subtype == presetSubtype) return d.direction;
  for (const SubtypeDirection& d : kDirections)
    if (d.effect == 0 && d.subtype == presetSubtype) return d.direction;
  return kDirectionNone;
}

int AnimTypeOf(std::string_view behaviorElement) {
  for (const auto& [name, type] : kAnimTypes)
    if (name == behaviorElement) return type;
  return 0;
}

int AnimPropertyOf(std::string_view attributeName) {
  for (const auto& [name, property] : kProperties)
    if (name == attributeName) return property;
  return 0;
}

}  // namespace quillmere::engine
