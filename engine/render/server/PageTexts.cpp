#include "engine/render/server/PageTexts.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/style/NumberingType.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/text/XText.hpp>

#include "engine/render/server/UnoText.h"

namespace quillmere::engine::render {
namespace {

using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using renderprotocol::ParagraphLook;
using renderprotocol::ShapeText;

template <class Value>
Value PropertyOr(const Reference<css::beans::XPropertySet>& properties, const char* name, Value absent) {
  Value value = absent;
  if (properties.is() && properties->getPropertySetInfo()->hasPropertyByName(OUString::createFromAscii(name)))
    properties->getPropertyValue(OUString::createFromAscii(name)) >>= value;
  return value;
}

// The bullet LibreOffice resolved for the paragraph's level of its numbering
// rules. A paragraph outside any list has no level at all (void).
int BulletOf(const Reference<css::beans::XPropertySet>& paragraph) {
  if (!PropertyOr(paragraph, "NumberingIsNumber", true)) return 0;
  auto rules = PropertyOr(paragraph, "NumberingRules", Reference<css::container::XIndexAccess>());
  sal_Int16 level = PropertyOr<sal_Int16>(paragraph, "NumberingLevel", -1);
  if (!rules.is() || level < 0 || level >= rules->getCount()) return 0;
  Sequence<css::beans::PropertyValue> settings;
  rules->getByIndex(level) >>= settings;
  sal_Int16 type = css::style::NumberingType::NUMBER_NONE;
  OUString character;
  for (const css::beans::PropertyValue& setting : settings) {
    if (setting.Name == "NumberingType") setting.Value >>= type;
    if (setting.Name == "BulletChar") setting.Value >>= character;
  }
  if (type == css::style::NumberingType::NUMBER_NONE) return 0;
  if (type == css::style::NumberingType::BITMAP) return renderprotocol::kPictureBullet;
  if (type != css::style::NumberingType::CHAR_SPECIAL) return renderprotocol::kNumbered;
  sal_Int32 at = 0;
  return character.isEmpty() ? 0 : static_cast<int>(character.iterateCodePoints(&at));
}

// The text of a paragraph's portions with each field marked, and the look of
// the paragraph: its first portion's font size and name, and its bullet.
ParagraphLook ReadParagraph(const Reference<css::container::XEnumerationAccess>& paragraph, std::string& text) {
  ParagraphLook look{0, {}, BulletOf(Reference<css::beans::XPropertySet>(paragraph, UNO_QUERY))};
  Reference<css::container::XEnumeration> portions = paragraph->createEnumeration();
  for (bool first = true; portions->hasMoreElements(); first = false) {
    Reference<css::text::XTextRange> portion(portions->nextElement(), UNO_QUERY_THROW);
    Reference<css::beans::XPropertySet> properties(portion, UNO_QUERY);
    if (first) {
      look.size = PropertyOr(properties, "CharHeight", 0.0f);
      look.font = FromUno(PropertyOr(properties, "CharFontName", OUString()));
    }
    if (PropertyOr(properties, "TextPortionType", OUString()) == "TextField")
      text += renderprotocol::kFieldMark;
    else
      text += FromUno(portion->getString());
  }
  return look;
}

void AddText(const Reference<css::text::XText>& text, ShapeText entry, std::vector<ShapeText>& out) {
  // A table cell enumerates no paragraphs until its text has been read once.
  text->getString();
  Reference<css::container::XEnumeration> paragraphs =
      Reference<css::container::XEnumerationAccess>(text, UNO_QUERY_THROW)->createEnumeration();
  while (paragraphs->hasMoreElements()) {
    if (!entry.paragraphs.empty()) entry.text += '\n';
    Reference<css::container::XEnumerationAccess> paragraph(paragraphs->nextElement(), UNO_QUERY_THROW);
    entry.paragraphs.push_back(ReadParagraph(paragraph, entry.text));
  }
  out.push_back(std::move(entry));
}

// A table shape's model is its grid of cells (an OLE object's model is a document).
Reference<css::table::XColumnRowRange> TableOf(const Reference<css::drawing::XShape>& shape) {
  Reference<css::beans::XPropertySet> properties(shape, UNO_QUERY);
  return Reference<css::table::XColumnRowRange>(PropertyOr(properties, "Model", Reference<css::uno::XInterface>()),
                                                UNO_QUERY);
}

void AddCells(const Reference<css::table::XColumnRowRange>& grid, const ShapeText& shape, std::vector<ShapeText>& out) {
  Reference<css::table::XCellRange> cells(grid, UNO_QUERY_THROW);
  for (sal_Int32 row = 0, rows = grid->getRows()->getCount(); row < rows; ++row)
    for (sal_Int32 column = 0, columns = grid->getColumns()->getCount(); column < columns; ++column) {
      ShapeText cell = shape;
      cell.row = row;
      cell.column = column;
      AddText(Reference<css::text::XText>(cells->getCellByPosition(column, row), UNO_QUERY_THROW), cell, out);
    }
}

void AddShapes(const Reference<css::drawing::XShapes>& shapes, std::vector<int>& path, std::vector<ShapeText>& out) {
  for (sal_Int32 i = 0, n = shapes->getCount(); i < n; ++i) {
    Reference<css::drawing::XShape> shape(shapes->getByIndex(i), UNO_QUERY_THROW);
    path.push_back(i);
    ShapeText entry;
    entry.path = path;
    if (Reference<css::container::XNamed> named{shape, UNO_QUERY}; named.is()) entry.name = FromUno(named->getName());
    if (Reference<css::drawing::XShapes> group{shape, UNO_QUERY}; group.is())
      AddShapes(group, path, out);
    else if (Reference<css::table::XColumnRowRange> table = TableOf(shape); table.is())
      AddCells(table, entry, out);
    else if (Reference<css::text::XText> text{shape, UNO_QUERY}; text.is())
      AddText(text, std::move(entry), out);
    path.pop_back();
  }
}

}  // namespace

std::vector<ShapeText> TextsOfShapes(const Reference<css::drawing::XShapes>& shapes) {
  std::vector<ShapeText> out;
  std::vector<int> path;
  AddShapes(shapes, path, out);
  return out;
}

}  // namespace quillmere::engine::render
