#pragma once
// Owning libgsf objects, and the one-time set-up every user of libgsf in
// support/ goes through.

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

// Initialises libgsf once per process and keeps its complaints about damaged
// compound files off stderr: callers report damage in their own words.
void EnsureGsfReady();

}  // namespace quillmere
