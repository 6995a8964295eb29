#pragma once
// The document the render server has open in the office and the images it
// draws of it. Failures throw std::runtime_error or a UNO exception.

#include <com/sun/star/awt/Rectangle.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/drawing/XGraphicExportFilter.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <string>
#include <utility>
#include <vector>

#include "engine/render/PageTextWords.h"

namespace quillmere::engine::render {

class OfficeSession {
 public:
  explicit OfficeSession(css::uno::Reference<css::uno::XComponentContext> office);

  // Closes the open document and opens the deck hidden and read-only (no lock
  // file beside it, no macros run, no links updated). Returns how many
  // documents this session has loaded.
  int Load(const std::string& deck);
  int PageCount() const;
  void ExportPage(int page, int width, int height, const std::string& out) const;
  // A shape: its index among the page's shapes, then, inside groups, the
  // index among the group's shapes ({2, 0}: the first shape of the third).
  using ShapePath = std::vector<int>;
  // A shape by its path and, when given, its name: the shape at the path
  // when it has that name, else the one shape of the page (groups searched)
  // that has it, else the shape at the path all the same.
  struct ShapeToFind {
    ShapePath path;
    std::string name;
  };
  // The shapes of the page, together; width and height only for a PNG.
  void ExportShapes(int page, const std::vector<ShapeToFind>& shapes, bool emf, int width, int height,
                    const std::string& out) const;
  // The shapes as a PNG drawn at the scale at which the whole page would be
  // pageWidth x pageHeight pixels; returns the image's size in pixels.
  std::pair<int, int> ExportShapesScaled(int page, const std::vector<ShapeToFind>& shapes, int pageWidth,
                                         int pageHeight, const std::string& out) const;
  // The text LibreOffice reads from each shape of the page (PageTexts.h).
  std::vector<renderprotocol::ShapeText> PageText(int page) const;
  // Closes the document and asks the office to end.
  void Quit();

 private:
  // Every question to the office is a round trip, and thousands of images
  // ask the same ones: pages, their size and the filter are kept per load.
  css::uno::Reference<css::drawing::XDrawPage> Page(int index) const;
  const css::uno::Reference<css::drawing::XGraphicExportFilter>& Filter() const;
  css::uno::Reference<css::drawing::XShape> FindShape(int page, const ShapeToFind& wanted) const;
  // The shapes to draw: the shape itself for one, else a collection of them;
  // bounds, when asked for, around them all.
  css::uno::Reference<css::lang::XComponent> ShapeSource(int page, const std::vector<ShapeToFind>& shapes,
                                                         css::awt::Rectangle* bounds) const;
  void Close();

  css::uno::Reference<css::uno::XComponentContext> office_;
  css::uno::Reference<css::lang::XComponent> document_;
  // The open document's pages, asked for once: every image needs them, and
  // each question is a round trip to the office.
  css::uno::Reference<css::drawing::XDrawPages> pages_;
  mutable std::vector<css::uno::Reference<css::drawing::XDrawPage>> pageCache_;
  mutable css::awt::Size pageSize_;  // every page of a presentation has the same
  mutable css::uno::Reference<css::drawing::XGraphicExportFilter> filter_;
  int pageCount_ = 0;
  int loads_ = 0;
};

}  // namespace quillmere::engine::render
