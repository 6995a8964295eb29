#include "engine/model/slides/NewNotesPage.h"

#include <string_view>

#include "engine/package/XmlPart.h"

namespace quillmere::engine {
namespace {

constexpr std::string_view kNotesPage =
    R"(<p:notes xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"
    R"(xmlns:p="http://schemas.openxmlformats.org/presentationml/2006/main">)"
    R"(<p:cSld><p:spTree>)"
    R"(<p:nvGrpSpPr><p:cNvPr id="1" name=""/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>)"
    R"(<p:sp><p:nvSpPr><p:cNvPr id="2" name="Slide Image Placeholder 1"/>)"
    R"(<p:cNvSpPr><a:spLocks noGrp="1" noRot="1" noChangeAspect="1"/></p:cNvSpPr>)"
    R"(<p:nvPr><p:ph type="sldImg"/></p:nvPr></p:nvSpPr><p:spPr/></p:sp>)"
    R"(<p:sp><p:nvSpPr><p:cNvPr id="3" name="Notes Placeholder 2"/>)"
    R"(<p:cNvSpPr><a:spLocks noGrp="1"/></p:cNvSpPr>)"
    R"(<p:nvPr><p:ph type="body" idx="1"/></p:nvPr></p:nvSpPr><p:spPr/>)"
    R"(<p:txBody><a:bodyPr/><a:lstStyle/><a:p/></p:txBody></p:sp>)"
    R"(</p:spTree></p:cSld>)"
    R"(<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:notes>)";

}  // namespace

std::unique_ptr<pugi::xml_document> NewNotesPage() { return ParseXml(kNotesPage); }

}  // namespace quillmere::engine
