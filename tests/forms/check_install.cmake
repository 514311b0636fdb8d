# Installs the build into a fresh prefix and checks that the desktop program,
# its menu entry and icon, the converter and the data are all there, and that
# the installed programs find the installed data.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DSAMPLE_LIST=... -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected bin/zumaro bin/zumaro-convert share/applications/zumaro.desktop
    share/icons/hicolor/32x32/apps/zumaro.png share/icons/hicolor/16x16/apps/zumaro.png)
foreach(k RANGE 1 23)
  string(LENGTH "${k}" digits)
  if(digits EQUAL 1)
    set(k "0${k}")
  endif()
  list(APPEND expected share/zumaro/${k}.dat)
endforeach()
list(APPEND expected share/zumaro/zumaro-data.txt)
foreach(f IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${f}")
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()

file(STRINGS "${PREFIX}/share/applications/zumaro.desktop" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=${PREFIX}/bin/zumaro")
  message(FATAL_ERROR "desktop entry starts '${exec}', not the installed program")
endif()
file(STRINGS "${PREFIX}/share/applications/zumaro.desktop" icon REGEX "^Icon=")
if(NOT icon STREQUAL "Icon=zumaro")
  message(FATAL_ERROR "desktop entry shows '${icon}'")
endif()

# The installed programs look for the data beside them, in share/zumaro, when
# the user has no folder of their own.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=ZUMARO_DATA_DIR XDG_DATA_HOME=${PREFIX}/no-user-data
                        "${PREFIX}/bin/zumaro-convert" -i "${SAMPLE_LIST}" -o "${PREFIX}/out.csv"
                        -n 8 --postal 3 --pref 4 --city 5 --building 6
                RESULT_VARIABLE result ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed converter did not find its data: ${error}")
endif()
string(FIND "${error}" "郵便番号データ: ${PREFIX}/share/zumaro（" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "the installed converter did not name the installed data first: ${error}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
