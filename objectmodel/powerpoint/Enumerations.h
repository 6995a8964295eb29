#pragma once
// The values of PowerPoint's and Office's enumerations that the writers compare with or pass, in one
// place, grouped as the object model groups them.

#include <cstdint>

namespace quillmere {

namespace tri_state {  // MsoTriState
inline constexpr std::int32_t kTrue = -1, kFalse = 0, kMixed = -2;
}

namespace shape_type {  // MsoShapeType
inline constexpr std::int32_t kAutoShape = 1, kCallout = 2, kChart = 3, kFreeform = 5, kGroup = 6, kEmbeddedOle = 7,
                              kLine = 9, kLinkedOle = 10, kLinkedPicture = 11, kOleControl = 12, kPicture = 13,
                              kPlaceholder = 14, kTextEffect = 15, kMedia = 16, kTextBox = 17, kTable = 19, kInk = 22,
                              kInkComment = 23;
}

namespace auto_shape {  // MsoAutoShapeType
inline constexpr std::int32_t kMixed = -2, kRectangle = 1, kArc = 25, kCircularArrow = 60,
                              kNotPrimitive = 138, kChord = 161;
}

namespace connector {  // MsoConnectorType
inline constexpr std::int32_t kStraight = 1, kElbow = 2;
}

namespace fill_type {  // MsoFillType
inline constexpr std::int32_t kSolid = 1, kPatterned = 2, kGradient = 3;
}

namespace color_type {  // MsoColorType
inline constexpr std::int32_t kScheme = 2;
}

namespace arrowhead {  // MsoArrowheadStyle
inline constexpr std::int32_t kNone = 1;
}

namespace underline {  // MsoTextUnderlineType
inline constexpr std::int32_t kSingleLine = 2;
}

namespace flip {  // MsoFlipCmd
inline constexpr std::int32_t kHorizontal = 0, kVertical = 1;
}

namespace z_order {  // MsoZOrderCmd
inline constexpr std::int32_t kSendToBack = 1;
}

namespace scale_from {  // MsoScaleFrom
inline constexpr std::int32_t kTopLeft = 0;
}

namespace theme_script {  // MsoFontLanguageIndex
inline constexpr std::int32_t kLatin = 1;
}

namespace automation_security {  // MsoAutomationSecurity
inline constexpr std::int32_t kForceDisable = 3;  // macros disabled
}

namespace media_type {  // PpMediaType
inline constexpr std::int32_t kSound = 2, kMovie = 3;
}

namespace placeholder {  // PpPlaceholderType
inline constexpr std::int32_t kBody = 2, kPicture = 18;
}

namespace layout {  // PpSlideLayout
inline constexpr std::int32_t kTitle = 1, kBlank = 12;
}

namespace bullet {  // PpBulletType
inline constexpr std::int32_t kUnnumbered = 1, kNumbered = 2, kPicture = 3;
}

namespace shape_format {  // PpShapeFormat
inline constexpr std::int32_t kPng = 2, kEmf = 5;
}

namespace save_as {  // PpSaveAsFileType
inline constexpr std::int32_t kHtml = 12, kOpenXmlPresentation = 24;
}

namespace action {  // PpActionType
inline constexpr std::int32_t kNone = 0, kNextSlide = 1, kPreviousSlide = 2, kFirstSlide = 3, kLastSlide = 4,
                              kEndShow = 6, kHyperlink = 7, kRunProgram = 9;
}

namespace anim_trigger {  // MsoAnimTriggerType
inline constexpr std::int32_t kNone = 0, kOnPageClick = 1, kWithPrevious = 2, kAfterPrevious = 3, kOnShapeClick = 4,
                              kOnMediaBookmark = 5;
}

namespace anim_effect {  // MsoAnimEffect
inline constexpr std::int32_t kCustom = 0, kWheel = 21, kGrowShrink = 59, kSpin = 61, kTransparency = 62,
                              kPathCircle = 82, kFirstPath = 86, kLastPath = 149;
}

namespace anim_after {  // MsoAnimAfterEffect
inline constexpr std::int32_t kDim = 1;
}

}  // namespace quillmere
