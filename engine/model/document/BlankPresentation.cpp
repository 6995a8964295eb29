#include "engine/model/document/BlankPresentation.h"

#include <string>
#include <vector>

namespace quillmere::engine {
namespace {

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr char kNamespaces[] =
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
    " xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"";
constexpr char kRelationshipType[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr char kContentType[] = "application/vnd.openxmlformats-officedocument.";

constexpr char kEmptyShapeTree[] =
    "<p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
    "<p:grpSpPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/><a:chOff x=\"0\" y=\"0\"/>"
    "<a:chExt cx=\"0\" cy=\"0\"/></a:xfrm></p:grpSpPr></p:spTree>";

std::string TextLevel(const char* size, const char* font, const char* paragraph = "") {
  return std::string("<a:lvl1pPr") + paragraph + "><a:defRPr sz=\"" + size +
         "\" kern=\"1200\"><a:solidFill><a:schemeClr val=\"tx1\"/></a:solidFill><a:latin typeface=\"+" + font +
         "-lt\"/><a:ea typeface=\"+" + font + "-ea\"/><a:cs typeface=\"+" + font + "-cs\"/></a:defRPr></a:lvl1pPr>";
}

std::string Presentation() {
  return std::string(kDeclaration) + "<p:presentation" + kNamespaces +
         " saveSubsetFonts=\"1\"><p:sldMasterIdLst><p:sldMasterId id=\"2147483648\" r:id=\"rId1\"/>"
         "</p:sldMasterIdLst><p:sldSz cx=\"9144000\" cy=\"6858000\" type=\"screen4x3\"/>"
         "<p:notesSz cx=\"6858000\" cy=\"9144000\"/><p:defaultTextStyle>" +
         TextLevel("1800", "mn") + "</p:defaultTextStyle></p:presentation>";
}

std::string Master() {
  return std::string(kDeclaration) + "<p:sldMaster" + kNamespaces +
         "><p:cSld><p:bg><p:bgRef idx=\"1001\"><a:schemeClr val=\"bg1\"/></p:bgRef></p:bg>" + kEmptyShapeTree +
         "</p:cSld><p:clrMap bg1=\"lt1\" tx1=\"dk1\" bg2=\"lt2\" tx2=\"dk2\" accent1=\"accent1\" "
         "accent2=\"accent2\" accent3=\"accent3\" accent4=\"accent4\" accent5=\"accent5\" accent6=\"accent6\" "
         "hlink=\"hlink\" folHlink=\"folHlink\"/><p:sldLayoutIdLst><p:sldLayoutId id=\"2147483649\" r:id=\"rId1\"/>"
         "</p:sldLayoutIdLst><p:txStyles><p:titleStyle>" +
         TextLevel("4400", "mj", " algn=\"ctr\"") + "</p:titleStyle><p:bodyStyle>" +
         TextLevel("3200", "mn", " marL=\"342900\" indent=\"-342900\"") + "</p:bodyStyle><p:otherStyle>" +
         TextLevel("1800", "mn") + "</p:otherStyle></p:txStyles></p:sldMaster>";
}

std::string BlankLayout() {
  return std::string(kDeclaration) + "<p:sldLayout" + kNamespaces +
         " type=\"blank\" preserve=\"1\"><p:cSld name=\"Blank\">" + kEmptyShapeTree +
         "</p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>";
}

std::string ThemeColor(const char* slot, const std::string& color) {
  return std::string("<a:") + slot + ">" + color + "</a:" + slot + ">";
}

std::string SrgbColor(const char* hex) { return std::string("<a:srgbClr val=\"") + hex + "\"/>"; }

std::string Theme() {
  const std::string placeholderFill = "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>";
  std::string lines, effects;
  for (const char* width : {"9525", "25400", "38100"})
    lines += std::string("<a:ln w=\"") + width + "\">" + placeholderFill + "</a:ln>";
  for (int i = 0; i < 3; ++i) effects += "<a:effectStyle><a:effectLst/></a:effectStyle>";
  const std::string fills = placeholderFill + placeholderFill + placeholderFill;
  const std::string font = "<a:latin typeface=\"Calibri\"/><a:ea typeface=\"\"/><a:cs typeface=\"\"/>";
  return std::string(kDeclaration) +
         "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" name=\"Office Theme\">"
         "<a:themeElements><a:clrScheme name=\"Office\">" +
         ThemeColor("dk1", "<a:sysClr val=\"windowText\" lastClr=\"000000\"/>") +
         ThemeColor("lt1", "<a:sysClr val=\"window\" lastClr=\"FFFFFF\"/>") + ThemeColor("dk2", SrgbColor("1F497D")) +
         ThemeColor("lt2", SrgbColor("EEECE1")) + ThemeColor("accent1", SrgbColor("4F81BD")) +
         ThemeColor("accent2", SrgbColor("C0504D")) + ThemeColor("accent3", SrgbColor("9BBB59")) +
         ThemeColor("accent4", SrgbColor("8064A2")) + ThemeColor("accent5", SrgbColor("4BACC6")) +
         ThemeColor("accent6", SrgbColor("F79646")) + ThemeColor("hlink", SrgbColor("0000FF")) +
         ThemeColor("folHlink", SrgbColor("800080")) + "</a:clrScheme><a:fontScheme name=\"Office\"><a:majorFont>" + font +
         "</a:majorFont><a:minorFont>" + font + "</a:minorFont></a:fontScheme><a:fmtScheme name=\"Office\">" +
         "<a:fillStyleLst>" + fills + "</a:fillStyleLst><a:lnStyleLst>" + lines + "</a:lnStyleLst><a:effectStyleLst>" +
         effects + "</a:effectStyleLst><a:bgFillStyleLst>" + fills +
         "</a:bgFillStyleLst></a:fmtScheme></a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/></a:theme>";
}

struct Target {
  const char* type;
  const char* target;
};

std::string Relationships(const std::vector<Target>& targets) {
  std::string xml = std::string(kDeclaration) +
                    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  int id = 0;
  for (const Target& t : targets)
    xml += "<Relationship Id=\"rId" + std::to_string(++id) + "\" Type=\"" + kRelationshipType + t.type +
           "\" Target=\"" + t.target + "\"/>";
  return xml + "</Relationships>";
}

std::string Type(const char* kind) { return std::string(kContentType) + kind; }

}  // namespace

std::shared_ptr<PresentationDocument> NewBlankPresentation() {
  std::vector<Package::AddedPart> parts{
      {"_rels/.rels", Relationships({{"officeDocument", "ppt/presentation.xml"}}), ""},
      {"ppt/presentation.xml", Presentation(), Type("presentationml.presentation.main+xml")},
      {"ppt/_rels/presentation.xml.rels",
       Relationships({{"slideMaster", "slideMasters/slideMaster1.xml"},
                      {"theme", "theme/theme1.xml"},
                      {"presProps", "presProps.xml"},
                      {"viewProps", "viewProps.xml"},
                      {"tableStyles", "tableStyles.xml"}}),
       ""},
      {"ppt/slideMasters/slideMaster1.xml", Master(), Type("presentationml.slideMaster+xml")},
      {"ppt/slideMasters/_rels/slideMaster1.xml.rels",
       Relationships({{"slideLayout", "../slideLayouts/slideLayout1.xml"}, {"theme", "../theme/theme1.xml"}}), ""},
      {"ppt/slideLayouts/slideLayout1.xml", BlankLayout(), Type("presentationml.slideLayout+xml")},
      {"ppt/slideLayouts/_rels/slideLayout1.xml.rels",
       Relationships({{"slideMaster", "../slideMasters/slideMaster1.xml"}}), ""},
      {"ppt/theme/theme1.xml", Theme(), Type("theme+xml")},
      {"ppt/presProps.xml", std::string(kDeclaration) + "<p:presentationPr" + kNamespaces + "/>",
       Type("presentationml.presProps+xml")},
      {"ppt/viewProps.xml", std::string(kDeclaration) + "<p:viewPr" + kNamespaces + "/>",
       Type("presentationml.viewProps+xml")},
      {"ppt/tableStyles.xml",
       std::string(kDeclaration) + "<a:tblStyleLst xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
                                   "def=\"{5C22544A-7EE6-4342-B048-85BDC9FD1C3A}\"/>",
       Type("presentationml.tableStyles+xml")},
  };
  return std::make_shared<PresentationDocument>(Package::FromParts(parts));
}

}  // namespace quillmere::engine
