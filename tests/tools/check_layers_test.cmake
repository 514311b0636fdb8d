# The layer check on small trees: one whose includes all go downwards, and
# the same tree with one include going up, which must fail naming it.
#   cmake -DCHECK=<tools/check-layers.cmake> -DWORK=<scratch folder> -P ...
file(REMOVE_RECURSE "${WORK}")
file(WRITE "${WORK}/text/text.h" "#pragma once\n")
file(WRITE "${WORK}/state/state.h" "#include \"text/text.h\"\n#include <vector>\n")
file(WRITE "${WORK}/run/run.cpp" "#include \"state/state.h\"\n#include \"run/run.h\"\n")
file(WRITE "${WORK}/bench/bench.cpp" "#include \"testing/rng.h\"\n")

function(check expect_failure wanted)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} -P ${CHECK} RESULT_VARIABLE result ERROR_VARIABLE error)
  if(expect_failure AND result EQUAL 0)
    message(FATAL_ERROR "a backwards include passed the check")
  elseif(NOT expect_failure AND NOT result EQUAL 0)
    message(FATAL_ERROR "a sound tree failed the check:\n${error}")
  endif()
  if(NOT error MATCHES "${wanted}")
    message(FATAL_ERROR "the check did not say \"${wanted}\":\n${error}")
  endif()
endfunction()

check(FALSE "")
file(APPEND "${WORK}/state/state.h" "  #  include \"run/run.h\"\n")
check(TRUE "state/state.h includes run/run.h")
file(WRITE "${WORK}/state/state.h" "#include \"text/text.h\"\n")
file(WRITE "${WORK}/run/run.cpp" "#include \"tests/support.h\"\n")
check(TRUE "run/run.cpp includes tests/support.h")
