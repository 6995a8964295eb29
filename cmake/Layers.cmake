# Each folder's library compiles against an include folder of its own in the build tree, which holds links
# to the folders it may use and nothing else: an include against the direction fails to compile. The table
# is scripts/check-includes.py's, the one ctest checks the sources against.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QUILLMERE_INCLUDE_CHECK "${PROJECT_SOURCE_DIR}/scripts/check-includes.py")
set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${QUILLMERE_INCLUDE_CHECK}")
execute_process(COMMAND "${Python3_EXECUTABLE}" "${QUILLMERE_INCLUDE_CHECK}" --print-allowed
                OUTPUT_VARIABLE allowedTable RESULT_VARIABLE allowedStatus)
if(NOT allowedStatus EQUAL 0)
  message(FATAL_ERROR "check-includes.py --print-allowed failed: ${allowedStatus}")
endif()
string(STRIP "${allowedTable}" allowedTable)
string(REPLACE "\n" ";" allowedTable "${allowedTable}")

set(QUILLMERE_INCLUDE_VIEWS "${CMAKE_BINARY_DIR}/include-views")
set(QUILLMERE_LAYERS "")
set(QUILLMERE_DOORS "")
file(REMOVE_RECURSE "${QUILLMERE_INCLUDE_VIEWS}")  # a folder taken off the table leaves no link behind

# A view: a folder of links named after the source folders they point to.
function(quillmere_make_view view)
  file(MAKE_DIRECTORY "${QUILLMERE_INCLUDE_VIEWS}/${view}")
  foreach(folder IN LISTS ARGN)
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${QUILLMERE_INCLUDE_VIEWS}/${view}/${folder}" SYMBOLIC)
  endforeach()
endfunction()

foreach(line IN LISTS allowedTable)
  string(REPLACE " " ";" words "${line}")
  list(POP_FRONT words name)
  if(name MATCHES "/")
    # A door: one file that may include a folder more than the rest of its own. Its view holds that folder only.
    string(MAKE_C_IDENTIFIER "${name}" view)
    quillmere_make_view(doors/${view} ${words})
    list(APPEND QUILLMERE_DOORS "${name}")
    set(QUILLMERE_DOOR_${name} ${words})
  else()
    quillmere_make_view(${name} ${name} ${words})
    list(APPEND QUILLMERE_LAYERS "${name}")
    set(QUILLMERE_ALLOWED_${name} ${words})
  endif()
endforeach()
# Tests, benchmarks and fuzz targets reach into every folder on purpose.
quillmere_make_view(everything ${QUILLMERE_LAYERS} tests fuzz bench)

# Compiles TARGET's sources against FOLDER's view, for a program that links none of the libraries.
function(quillmere_include_view target folder)
  target_include_directories(${target} PRIVATE "${QUILLMERE_INCLUDE_VIEWS}/${folder}")
  if(folder STREQUAL "objectmodel" OR "objectmodel" IN_LIST QUILLMERE_ALLOWED_${folder})
    target_include_directories(${target} PRIVATE "${CMAKE_BINARY_DIR}/generated")  # QuillmereVersion.h
  endif()
endfunction()

# Compiles TARGET's sources against FOLDER's view and links the libraries of the folders it may use. A door
# among its sources gets the door's folder too: that file alone sees it, outside the unity batches (whose
# sources share one set of include folders), and its library is linked privately.
function(quillmere_layer target folder)
  quillmere_include_view(${target} ${folder})
  foreach(below IN LISTS QUILLMERE_ALLOWED_${folder})
    if(TARGET quillmere_${below} AND NOT below STREQUAL folder)
      target_link_libraries(${target} PUBLIC quillmere_${below})
    endif()
  endforeach()
  get_target_property(sources ${target} SOURCES)
  foreach(door IN LISTS QUILLMERE_DOORS)
    if(NOT "${PROJECT_SOURCE_DIR}/${door}" IN_LIST sources AND NOT door IN_LIST sources)
      continue()
    endif()
    string(MAKE_C_IDENTIFIER "${door}" view)
    set_property(SOURCE "${PROJECT_SOURCE_DIR}/${door}" APPEND PROPERTY INCLUDE_DIRECTORIES
                 "${QUILLMERE_INCLUDE_VIEWS}/doors/${view}")
    set_property(SOURCE "${PROJECT_SOURCE_DIR}/${door}" PROPERTY SKIP_UNITY_BUILD_INCLUSION ON)
    foreach(beyond IN LISTS QUILLMERE_DOOR_${door})
      if(TARGET quillmere_${beyond})
        target_link_libraries(${target} PRIVATE quillmere_${beyond})
      endif()
    endforeach()
  endforeach()
endfunction()
