#include "support/storage/GsfObjects.h"

#include <gsf/gsf-utils.h>

namespace quillmere {

void EnsureGsfReady() {
  static const bool ready = [] {
    gsf_init();
    g_log_set_handler("libgsf:msole",
                      static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
                      [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    return true;
  }();
  (void)ready;
}

}  // namespace quillmere
