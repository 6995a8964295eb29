#include "engine/render/server/OfficeSession.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/GraphicExportFilter.hpp>
#include <com/sun/star/drawing/ShapeCollection.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <stdexcept>

#include "engine/render/server/PageTexts.h"
#include "engine/render/server/UnoText.h"

namespace quillmere::engine::render {
namespace {

// The largest side an image may have; larger ones would only exhaust the office's memory.
constexpr long long kMaxImagePixels = 20000;

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

css::beans::PropertyValue Property(const char* name, const Any& value) {
  css::beans::PropertyValue property;
  property.Name = OUString::createFromAscii(name);
  property.Value = value;
  return property;
}

std::string NameOf(const Reference<css::drawing::XShape>& shape) {
  Reference<css::container::XNamed> named(shape, UNO_QUERY);
  return named.is() ? FromUno(named->getName()) : std::string();
}

// Every shape of the page or group so named, groups searched; stops at two,
// since only a name held by one shape identifies it.
void CollectNamed(const Reference<css::drawing::XShapes>& shapes, const std::string& name,
                  std::vector<Reference<css::drawing::XShape>>& found) {
  for (sal_Int32 i = 0, n = shapes->getCount(); i < n && found.size() < 2; ++i) {
    Reference<css::drawing::XShape> shape(shapes->getByIndex(i), UNO_QUERY);
    if (shape.is() && NameOf(shape) == name) found.push_back(shape);
    if (Reference<css::drawing::XShapes> group{shape, UNO_QUERY}; group.is()) CollectNamed(group, name, found);
  }
}

using Properties = Sequence<css::beans::PropertyValue>;

Properties PropertyList(std::initializer_list<css::beans::PropertyValue> properties) {
  return Properties(properties.begin(), static_cast<sal_Int32>(properties.size()));
}

// The filter reports success even when it wrote nothing (an unwritable
// folder, say), so the file is removed first and looked for afterwards.
void Export(const Reference<css::drawing::XGraphicExportFilter>& filter, const Reference<css::lang::XComponent>& source,
            const char* mediaType, const Properties& filterData, const std::string& out) {
  std::error_code error;
  std::filesystem::remove(out, error);
  // The filter does not make missing folders; it silently writes nothing.
  std::filesystem::create_directories(std::filesystem::path(out).parent_path(), error);
  filter->setSourceDocument(source);
  Properties descriptor = PropertyList({Property("URL", Any(FileUrl(out))),
                                        Property("MediaType", Any(OUString::createFromAscii(mediaType))),
                                        Property("FilterData", Any(filterData))});
  bool written = filter->filter(descriptor);
  if (!written || std::filesystem::file_size(out, error) == 0 || error)
    throw std::runtime_error("LibreOffice wrote no image to " + out);
}

Properties PixelSize(int width, int height) {
  return PropertyList({Property("PixelWidth", Any(sal_Int32(width))), Property("PixelHeight", Any(sal_Int32(height)))});
}

}  // namespace

OfficeSession::OfficeSession(Reference<css::uno::XComponentContext> office) : office_(std::move(office)) {}

int OfficeSession::Load(const std::string& deck) {
  Close();
  Reference<css::frame::XDesktop2> desktop = css::frame::Desktop::create(office_);
  Properties options =
      PropertyList({Property("Hidden", Any(true)), Property("ReadOnly", Any(true)),
                    Property("MacroExecutionMode", Any(css::document::MacroExecMode::NEVER_EXECUTE)),
                    Property("UpdateDocMode", Any(css::document::UpdateDocMode::NO_UPDATE))});
  document_ = desktop->loadComponentFromURL(FileUrl(deck), "_blank", 0, options);
  if (!document_.is()) throw std::runtime_error("LibreOffice could not open " + deck);
  Reference<css::drawing::XDrawPagesSupplier> supplier(document_, UNO_QUERY);
  if (!supplier.is()) {
    Close();
    throw std::runtime_error("LibreOffice did not open " + deck + " as a presentation");
  }
  pages_ = supplier->getDrawPages();
  pageCount_ = pages_->getCount();
  return ++loads_;
}

int OfficeSession::PageCount() const {
  if (!document_.is()) throw std::runtime_error("no document is loaded");
  return pageCount_;
}

Reference<css::drawing::XDrawPage> OfficeSession::Page(int index) const {
  int count = PageCount();
  if (index < 0 || index >= count)
    throw std::runtime_error("no page " + std::to_string(index) + ": the document has " + std::to_string(count));
  if (pageCache_.empty()) pageCache_.resize(static_cast<size_t>(count));
  Reference<css::drawing::XDrawPage>& page = pageCache_[static_cast<size_t>(index)];
  if (!page.is()) page.set(pages_->getByIndex(index), UNO_QUERY_THROW);
  return page;
}

const Reference<css::drawing::XGraphicExportFilter>& OfficeSession::Filter() const {
  if (!filter_.is()) filter_ = css::drawing::GraphicExportFilter::create(office_);
  return filter_;
}

void OfficeSession::ExportPage(int page, int width, int height, const std::string& out) const {
  Export(Filter(), Reference<css::lang::XComponent>(Page(page), UNO_QUERY_THROW), "image/png",
         PixelSize(width, height), out);
}

Reference<css::drawing::XShape> OfficeSession::FindShape(int page, const ShapeToFind& wanted) const {
  const ShapePath& path = wanted.path;
  if (path.empty()) throw std::runtime_error("an empty shape path is listed");
  Reference<css::drawing::XShapes> container(Page(page), UNO_QUERY_THROW);
  Reference<css::drawing::XShape> shape;
  std::string where = "page " + std::to_string(page), missing;
  for (size_t level = 0; level < path.size(); ++level) {
    int count = container.is() ? container->getCount() : 0;
    if (path[level] < 0 || path[level] >= count) {
      missing = "no shape " + std::to_string(path[level]) + " in " + where + ": it has " + std::to_string(count);
      shape.clear();
      break;
    }
    shape.set(container->getByIndex(path[level]), UNO_QUERY_THROW);
    container.set(shape, UNO_QUERY);
    where = "group " + std::to_string(path[level]);
  }
  if (wanted.name.empty() || (shape.is() && NameOf(shape) == wanted.name)) {
    if (!shape.is()) throw std::runtime_error(missing);
    return shape;
  }
  // LibreOffice counts some shapes differently (it may leave one out or split
  // it), so a name that one shape of the page holds wins over the path.
  std::vector<Reference<css::drawing::XShape>> named;
  CollectNamed(Reference<css::drawing::XShapes>(Page(page), UNO_QUERY_THROW), wanted.name, named);
  if (named.size() == 1) return named.front();
  if (!shape.is()) throw std::runtime_error(missing);
  return shape;
}

Reference<css::lang::XComponent> OfficeSession::ShapeSource(int page, const std::vector<ShapeToFind>& shapes,
                                                             css::awt::Rectangle* bounds) const {
  if (shapes.empty()) throw std::runtime_error("no shapes are listed");
  std::set<ShapePath> seen;
  Reference<css::drawing::XShapes> collection;
  Reference<css::drawing::XShape> last;
  sal_Int32 left = 0, top = 0, right = 0, bottom = 0;
  for (const ShapeToFind& wanted : shapes) {
    if (!seen.insert(wanted.path).second) throw std::runtime_error("a shape is listed twice");
    last = FindShape(page, wanted);
    if (shapes.size() > 1) {
      if (!collection.is()) collection = css::drawing::ShapeCollection::create(office_);
      collection->add(last);
    }
    if (!bounds) continue;
    css::awt::Rectangle box;
    Reference<css::beans::XPropertySet> properties(last, UNO_QUERY);
    if (!properties.is() || !(properties->getPropertyValue("BoundRect") >>= box)) {
      css::awt::Point at = last->getPosition();
      css::awt::Size size = last->getSize();
      box = {at.X, at.Y, size.Width, size.Height};
    }
    bool first = seen.size() == 1;
    left = first ? box.X : std::min(left, box.X);
    top = first ? box.Y : std::min(top, box.Y);
    right = first ? box.X + box.Width : std::max(right, box.X + box.Width);
    bottom = first ? box.Y + box.Height : std::max(bottom, box.Y + box.Height);
  }
  if (bounds) *bounds = {left, top, right - left, bottom - top};
  // One shape is exported as itself: its image then has the shape's own bounds.
  if (shapes.size() == 1) return Reference<css::lang::XComponent>(last, UNO_QUERY_THROW);
  return Reference<css::lang::XComponent>(collection, UNO_QUERY_THROW);
}

void OfficeSession::ExportShapes(int page, const std::vector<ShapeToFind>& shapes, bool emf, int width, int height,
                                 const std::string& out) const {
  Reference<css::lang::XComponent> source = ShapeSource(page, shapes, nullptr);
  if (emf) {
    Export(Filter(), source, "image/x-emf", {}, out);
  } else {
    Export(Filter(), source, "image/png", PixelSize(width, height), out);
  }
}

std::pair<int, int> OfficeSession::ExportShapesScaled(int page, const std::vector<ShapeToFind>& shapes, int pageWidth,
                                                      int pageHeight, const std::string& out) const {
  css::awt::Rectangle bounds;
  Reference<css::lang::XComponent> source = ShapeSource(page, shapes, &bounds);
  if (pageSize_.Width <= 0) {
    Reference<css::beans::XPropertySet> pageProperties(Page(page), UNO_QUERY_THROW);
    pageProperties->getPropertyValue("Width") >>= pageSize_.Width;
    pageProperties->getPropertyValue("Height") >>= pageSize_.Height;
  }
  if (pageSize_.Width <= 0 || pageSize_.Height <= 0) throw std::runtime_error("the page has no size");
  auto pixels = [](sal_Int32 length, int pagePixels, sal_Int32 pageLength) {
    long long scaled = std::llround(static_cast<double>(length) * pagePixels / pageLength);
    return static_cast<int>(std::clamp<long long>(scaled, 1, kMaxImagePixels));
  };
  std::pair<int, int> size{pixels(bounds.Width, pageWidth, pageSize_.Width),
                           pixels(bounds.Height, pageHeight, pageSize_.Height)};
  Export(Filter(), source, "image/png", PixelSize(size.first, size.second), out);
  return size;
}

std::vector<renderprotocol::ShapeText> OfficeSession::PageText(int page) const {
  return TextsOfShapes(Reference<css::drawing::XShapes>(Page(page), UNO_QUERY_THROW));
}

void OfficeSession::Close() {
  pages_.clear();
  pageCache_.clear();
  pageSize_ = {};
  filter_.clear();  // it holds on to the last shape drawn
  pageCount_ = 0;
  Reference<css::lang::XComponent> document = std::move(document_);
  document_.clear();
  if (!document.is()) return;
  Reference<css::util::XCloseable> closeable(document, UNO_QUERY);
  try {
    if (closeable.is()) {
      closeable->close(true);
      return;
    }
  } catch (const css::util::CloseVetoException&) {
    // an office job still holds it; disposing ends it all the same
  }
  document->dispose();
}

void OfficeSession::Quit() {
  Close();
  try {
    css::frame::Desktop::create(office_)->terminate();
  } catch (const css::lang::DisposedException&) {
    // the bridge went down with the office before the call returned
  }
}

}  // namespace quillmere::engine::render
