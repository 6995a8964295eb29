#pragma once
// The enumeration values the animation members answer (MsoAnimEffect,
// MsoAnimDirection, MsoAnimProperty, ...) and the one table each that turns
// what p:timing says into them.

#include <string_view>

namespace quillmere::engine {

// MsoAnimEffect
inline constexpr int kAnimEffectCustom = 0;

// MsoAnimTriggerType
inline constexpr int kTriggerNone = 0;
inline constexpr int kTriggerOnPageClick = 1;
inline constexpr int kTriggerWithPrevious = 2;
inline constexpr int kTriggerAfterPrevious = 3;
inline constexpr int kTriggerOnShapeClick = 4;
inline constexpr int kTriggerOnMediaBookmark = 5;

// MsoAnimAfterEffect
inline constexpr int kAfterEffectDim = 1;
inline constexpr int kAfterEffectHide = 2;
inline constexpr int kAfterEffectHideOnNextClick = 3;

// MsoAnimEffectRestart
inline constexpr int kRestartAlways = 1;
inline constexpr int kRestartWhenOff = 2;
inline constexpr int kRestartNever = 3;

// MsoAnimTextUnitEffect
inline constexpr int kTextUnitByParagraph = 0;
inline constexpr int kTextUnitByCharacter = 1;
inline constexpr int kTextUnitByWord = 2;

// MsoAnimateByLevel
inline constexpr int kAnimateLevelNone = 0;
inline constexpr int kAnimateTextByAllLevels = 1;
inline constexpr int kAnimateTextByFirstLevel = 2;
inline constexpr int kAnimateTextByFifthLevel = 6;
inline constexpr int kAnimateChartAllAtOnce = 7;
inline constexpr int kAnimateChartByCategory = 8;
inline constexpr int kAnimateChartByCategoryElements = 9;
inline constexpr int kAnimateChartBySeries = 10;
inline constexpr int kAnimateChartBySeriesElements = 11;
inline constexpr int kAnimateDiagramAllAtOnce = 12;
inline constexpr int kAnimateDiagramDepthByNode = 13;
inline constexpr int kAnimateDiagramBreadthByNode = 15;
inline constexpr int kAnimateDiagramBreadthByLevel = 16;

// MsoAnimDirection values named here.
inline constexpr int kDirectionNone = 0;
inline constexpr int kDirectionRight = 2;
inline constexpr int kDirectionDown = 3;
inline constexpr int kDirectionLeft = 4;

// The MsoAnimEffect of a preset: presetClass ("entr", "exit", "emph",
// "path", "mediacall", ...) and presetID. Entrance and exit presets share
// their ids. A custom effect ("" or any other class) answers
// msoAnimEffectCustom, and so does an id no PowerPoint preset has: the effect
// is then PowerPoint's only in its behaviours, as a custom one is.
int AnimEffectOf(std::string_view presetClass, int presetId);

// The MsoAnimDirection of a presetSubtype for an effect (MsoAnimEffect);
// msoAnimDirectionNone for a subtype the effect has no direction for.
int AnimDirectionOf(int effectType, int presetSubtype);

// MsoAnimType of a behaviour element (p:anim, p:animMotion, ...) by local
// name; msoAnimTypeNone for others.
int AnimTypeOf(std::string_view behaviorElement);

// MsoAnimProperty of an attribute a behaviour animates (p:attrName:
// "ppt_x", "style.visibility", "fillcolor", ...); msoAnimNone for others.
int AnimPropertyOf(std::string_view attributeName);

}  // namespace quillmere::engine
