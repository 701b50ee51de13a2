# Our own targets: their compile options (GoogleTest gets none of them) and
# the layers.

# The Win32 headers' settings travel with every target that includes our
# headers, so that the structures they declare have one layout everywhere.
set(VELK_WIN32_DEFINITIONS STRICT NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)

# velk_options(target): warnings for a target of ours; a program or DLL links
# its runtime in, so that it imports only system DLLs.
function(velk_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
  target_compile_definitions(${target} PUBLIC ${VELK_WIN32_DEFINITIONS})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE" OR type STREQUAL "SHARED_LIBRARY")
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++
      -Wl,--file-alignment,4096 $<$<CONFIG:Release>:-s>)
  endif()
endfunction()

# velk_layer(folder SOURCES... [USES layer...] [SYSTEM lib...])
#   The folder's library velk_<folder>, linked to the libraries of the layers
#   it uses, and nothing else of ours. Headers are included by their folder
#   ("panel/ItemGrid.h"); the layer check reads what each folder may include
#   from the list velk_write_layers writes.
function(velk_layer folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;USES;SYSTEM" ${ARGN})
  set(target velk_${folder})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  velk_options(${target})
  foreach(layer IN LISTS ARG_USES)
    target_link_libraries(${target} PUBLIC ${VELK_LAYER_TARGET_${layer}})
  endforeach()
  target_link_libraries(${target} PUBLIC ${ARG_SYSTEM})
  velk_record_layer(${folder} ${target} ${ARG_USES})
endfunction()

# Records a layer's target and the layers it names.
function(velk_record_layer folder target)
  set(VELK_LAYER_TARGET_${folder} ${target} CACHE INTERNAL "")
  list(JOIN ARGN " " uses)
  set_property(GLOBAL APPEND PROPERTY VELK_LAYERS "${folder}: ${uses}")
endfunction()

# Writes "folder: layer layer..." lines for the layer check.
function(velk_write_layers path)
  get_property(layers GLOBAL PROPERTY VELK_LAYERS)
  list(JOIN layers "\n" text)
  file(WRITE ${path} "${text}\n")
endfunction()
