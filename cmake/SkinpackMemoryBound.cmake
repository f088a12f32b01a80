# skinpack refuses a skin whose name list is millions of empty names, within 1 GiB of address
# space and with the damaged-package message; a package at the layout's limit of 1001 entries
# still reads under the same limit.
#   cmake -DSKINPACK=<skinpack> -DMAKE_SKIN=<line_feed_skin> -DWORK=<folder> -P SkinpackMemoryBound.cmake
set(limit_kib 1048576)
set(hostile_count 125829120)   # 120 MiB of line feeds
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

foreach(count 1001 ${hostile_count})
    execute_process(COMMAND ${MAKE_SKIN} ${WORK}/names-${count}.skn ${count} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cannot make the skin of ${count} names")
    endif()
endforeach()
file(SIZE ${WORK}/names-${hostile_count}.skn hostile_size)
message(STATUS "hostile skin: ${hostile_count} empty names in ${hostile_size} bytes")

# Runs skinpack under the limit; sets <prefix>_result and <prefix>_err.
function(limited_skinpack prefix)
    execute_process(COMMAND sh -c "ulimit -v ${limit_kib} && exec \"$0\" \"$@\"" ${SKINPACK} ${ARGN}
                    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE err)
    set(${prefix}_result "${result}" PARENT_SCOPE)
    set(${prefix}_err "${err}" PARENT_SCOPE)
endfunction()

limited_skinpack(full info ${WORK}/names-1001.skn)
if(NOT full_result EQUAL 0)
    message(FATAL_ERROR "a package of 1001 entries does not read under the limit: ${full_result}\n${full_err}")
endif()

set(message "This is Older Skin File Please update to new version !")
set(reason "name list holds ${hostile_count} names, more than the 1001 a package holds")
foreach(command info unpack)
    if(command STREQUAL "unpack")
        limited_skinpack(hostile unpack ${WORK}/names-${hostile_count}.skn ${WORK}/unpacked)
    else()
        limited_skinpack(hostile info ${WORK}/names-${hostile_count}.skn)
    endif()
    # 1 is skinpack's refusal; anything else (a signal, an abort) is a crash.
    if(NOT hostile_result EQUAL 1)
        message(FATAL_ERROR "skinpack ${command}: status ${hostile_result}, expected 1\n${hostile_err}")
    endif()
    string(FIND "${hostile_err}" "${message} (${reason})" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "skinpack ${command} did not refuse the skin as damaged:\n${hostile_err}")
    endif()
endforeach()
if(EXISTS ${WORK}/unpacked)
    message(FATAL_ERROR "unpack created its folder for a damaged skin")
endif()
file(REMOVE_RECURSE ${WORK})
message(STATUS "skinpack refused ${hostile_count} names within ${limit_kib} KiB")
