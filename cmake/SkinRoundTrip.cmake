# Draws the default skin, packs it with skinpack, unpacks it again and compares every file:
#   cmake -DPYTHON=<python> -DGEN=<make_skin.py> -DSKINPACK=<skinpack> -DWORK=<folder> -P SkinRoundTrip.cmake
file(REMOVE_RECURSE ${WORK})
foreach(step
        "${PYTHON};-B;${GEN};${WORK}/drawn"
        "${SKINPACK};pack;${WORK}/drawn;${WORK}/default.skin"
        "${SKINPACK};unpack;${WORK}/default.skin;${WORK}/unpacked")
    execute_process(COMMAND ${step} RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed: ${step}")
    endif()
endforeach()
file(GLOB drawn RELATIVE ${WORK}/drawn ${WORK}/drawn/*)
file(GLOB unpacked RELATIVE ${WORK}/unpacked ${WORK}/unpacked/*)
list(LENGTH drawn count)
if(NOT drawn STREQUAL unpacked OR count LESS 40)
    message(FATAL_ERROR "members differ: ${drawn} / ${unpacked}")
endif()
foreach(name ${drawn})
    file(SHA256 ${WORK}/drawn/${name} a)
    file(SHA256 ${WORK}/unpacked/${name} b)
    if(NOT a STREQUAL b)
        message(FATAL_ERROR "${name} changed in the round trip")
    endif()
endforeach()
message(STATUS "default skin: ${count} members round-tripped unchanged")
