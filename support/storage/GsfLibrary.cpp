#include "support/storage/GsfLibrary.h"

#include <dlfcn.h>

#include <gsf/gsf-utils.h>

namespace quillmere {
namespace {

template <class Function>
bool Load(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

const GsfFunctions* LoadGsf() {
  void* library = dlopen(QUILLMERE_GSF_SONAME, RTLD_NOW | RTLD_LOCAL);
  if (!library) return nullptr;
  static GsfFunctions gsf;
  decltype(&gsf_init) init = nullptr;
  const bool loaded =
      Load(library, "gsf_init", init) && Load(library, "gsf_input_stdio_new", gsf.input_stdio_new) &&
      Load(library, "gsf_input_stdio_new_FILE", gsf.input_stdio_new_FILE) &&
      Load(library, "gsf_input_name", gsf.input_name) && Load(library, "gsf_input_size", gsf.input_size) &&
      Load(library, "gsf_input_seek", gsf.input_seek) && Load(library, "gsf_input_read", gsf.input_read) &&
      Load(library, "gsf_input_get_modtime", gsf.input_get_modtime) &&
      Load(library, "gsf_infile_get_type", gsf.infile_get_type) &&
      Load(library, "gsf_infile_msole_new", gsf.infile_msole_new) &&
      Load(library, "gsf_infile_num_children", gsf.infile_num_children) &&
      Load(library, "gsf_infile_name_by_index", gsf.infile_name_by_index) &&
      Load(library, "gsf_infile_child_by_index", gsf.infile_child_by_index) &&
      Load(library, "gsf_infile_child_by_name", gsf.infile_child_by_name) &&
      Load(library, "gsf_output_stdio_new_FILE", gsf.output_stdio_new_FILE) &&
      Load(library, "gsf_output_write", gsf.output_write) && Load(library, "gsf_output_close", gsf.output_close) &&
      Load(library, "gsf_outfile_msole_new", gsf.outfile_msole_new) &&
      Load(library, "gsf_outfile_new_child", gsf.outfile_new_child) &&
      Load(library, "gsf_outfile_new_child_full", gsf.outfile_new_child_full);
  if (!loaded) return nullptr;  // another libgsf than the one built against: as if there were none
  init();
  g_log_set_handler("libgsf:msole",
                    static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
                    [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
  return &gsf;
}

}  // namespace

const GsfFunctions* Gsf() {
  static const GsfFunctions* const gsf = LoadGsf();
  return gsf;
}

bool IsInfile(const GsfFunctions& gsf, GsfInput* input) {
  return input && G_TYPE_CHECK_INSTANCE_TYPE(input, gsf.infile_get_type());
}

}  // namespace quillmere
