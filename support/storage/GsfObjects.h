#pragma once
// Owning libgsf objects.

#include <memory>

#include <glib-object.h>

namespace quillmere {

struct GObjectUnref {
  void operator()(void* object) const {
    if (object) g_object_unref(object);
  }
};
template <class T>
using GsfPtr = std::unique_ptr<T, GObjectUnref>;

}  // namespace quillmere
