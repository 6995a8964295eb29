#pragma once
// libgsf, loaded the first time a compound file is read or written. Most runs
// read none, and libgsf brings libxml2, ICU and GIO, which would add about
// 3 ms to every start of the tool. GLib and GObject, which are cheap to load,
// stay linked: their calls on libgsf's objects are made directly.

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-output.h>

namespace quillmere {

// The libgsf functions we call, under their names without "gsf_".
struct GsfFunctions {
  decltype(&gsf_input_stdio_new) input_stdio_new;
  decltype(&gsf_input_stdio_new_FILE) input_stdio_new_FILE;
  decltype(&gsf_input_name) input_name;
  decltype(&gsf_input_size) input_size;
  decltype(&gsf_input_seek) input_seek;
  decltype(&gsf_input_read) input_read;
  decltype(&gsf_input_get_modtime) input_get_modtime;
  decltype(&gsf_infile_get_type) infile_get_type;
  decltype(&gsf_infile_msole_new) infile_msole_new;
  decltype(&gsf_infile_num_children) infile_num_children;
  decltype(&gsf_infile_name_by_index) infile_name_by_index;
  decltype(&gsf_infile_child_by_index) infile_child_by_index;
  decltype(&gsf_infile_child_by_name) infile_child_by_name;
  decltype(&gsf_output_stdio_new_FILE) output_stdio_new_FILE;
  decltype(&gsf_output_write) output_write;
  decltype(&gsf_output_close) output_close;
  decltype(&gsf_outfile_msole_new) outfile_msole_new;
  decltype(&gsf_outfile_new_child) outfile_new_child;
  decltype(&gsf_outfile_new_child_full) outfile_new_child_full;
};

// libgsf's functions, loaded and initialised once per process, with its
// complaints about damaged compound files kept off stderr (callers report
// damage in their own words). Null when libgsf cannot be loaded.
const GsfFunctions* Gsf();

// Whether an input is a folder (GsfInfile) without naming libgsf's type
// macros, which call into it before Gsf() has loaded it.
bool IsInfile(const GsfFunctions& gsf, GsfInput* input);

}  // namespace quillmere
