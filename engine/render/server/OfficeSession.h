#pragma once
// The document the render server has open in the office and the images it
// draws of it. Failures throw std::runtime_error or a UNO exception.

#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <string>
#include <vector>

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
  // The shapes of the page, together; width and height only for a PNG.
  void ExportShapes(int page, const std::vector<int>& shapes, bool emf, int width, int height,
                    const std::string& out) const;
  // Closes the document and asks the office to end.
  void Quit();

 private:
  css::uno::Reference<css::drawing::XDrawPage> Page(int index) const;
  void Close();

  css::uno::Reference<css::uno::XComponentContext> office_;
  css::uno::Reference<css::lang::XComponent> document_;
  int loads_ = 0;
};

}  // namespace quillmere::engine::render
