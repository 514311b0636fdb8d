# Every #include "folder/..." of the tree against the folders that folder may
# use: the core's layers one way, text at the bottom and run at the top, the
# programs and the testing library above them.
#   cmake -DROOT=<tree> [-DSTAMP=<file>] -P tools/check-layers.cmake
# Fails naming every include that goes the wrong way; writes STAMP when none
# does, for the build to know it checked.
cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "check-layers: give -DROOT=<the tree's folder>")
endif()

# Folder, then the folders it may include (besides itself).
set(core_text)
set(core_state text)
set(core_records state text)
set(core_address state text)
set(core_lookup address records state text)
set(core_run lookup address records state text)
set(core_terminal)
set(core_cli run lookup address records state text terminal)
set(core_forms run lookup address records state text)
set(core_web run lookup address records state text)
set(core_tools/mkdat run lookup address records state text terminal)
set(core_tools/icu-snapshot text)
set(core_testing run lookup address records state text)
set(core_bench testing run lookup address records state text)
set(core_fuzz testing run lookup address records state text)
set(folders text state records address lookup run terminal cli forms web tools/mkdat tools/icu-snapshot testing bench fuzz)
# Every folder an include may name; any other is not this tree's.
set(known ${folders} tests)

set(wrong "")
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"]+)\".*" "\\1" path "${line}")
      set(target "")
      foreach(candidate IN LISTS known)
        if(path MATCHES "^${candidate}/")
          set(target ${candidate})
        endif()
      endforeach()
      if(target STREQUAL "" OR target STREQUAL folder OR target IN_LIST core_${folder})
        continue()
      endif()
      file(RELATIVE_PATH shown "${ROOT}" "${source}")
      string(APPEND wrong "  ${shown} includes ${path}: ${folder}/ may use only ${core_${folder}}\n")
    endforeach()
  endforeach()
endforeach()

if(NOT wrong STREQUAL "")
  message(FATAL_ERROR "Includes against the layers:\n${wrong}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
