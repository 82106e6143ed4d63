# The plug-in library's exported symbols, kept in a list in the repository so that every change
# to the library's interface shows in review.
#
# Included from a project:  kv_check_exported_symbols(<library target> <list file>)
#   compares after each link of the library (g++ builds only: other compilers and the
#   instrumented builds export other helpers) and adds the target update_exported_symbols.
# Run as a script:  cmake -DMODE=check|update -DNM=... -DLIBRARY=... -DLIST=... -DUPDATE_COMMAND=...
#                   -P ExportedSymbols.cmake

if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.22)
    # Our own classes and the plug-in entry points, demangled, one per line, sorted.
    execute_process(COMMAND ${NM} --dynamic --defined-only --demangle --format=just-symbols ${LIBRARY}
                    OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${NM} could not list the symbols of ${LIBRARY}")
    endif()
    string(REPLACE "\n" ";" current "${listing}")
    list(FILTER current INCLUDE REGEX "KV|PivenaCloud|UsbOperate|^qt_plugin_")
    list(REMOVE_DUPLICATES current)
    list(SORT current)
    string(REPLACE ";" "\n" text "${current}")

    if(MODE STREQUAL "update")
        file(WRITE ${LIST} "${text}\n")
        message(STATUS "Wrote ${LIST}")
        return()
    endif()

    file(STRINGS ${LIST} kept)
    set(added ${current})
    list(REMOVE_ITEM added ${kept})
    set(removed ${kept})
    list(REMOVE_ITEM removed ${current})
    if(added OR removed)
        list(TRANSFORM added PREPEND "  added:   ")
        list(TRANSFORM removed PREPEND "  removed: ")
        set(changes ${added} ${removed})
        string(REPLACE ";" "\n" changes "${changes}")
        message(NOTICE "The exported symbols of ${LIBRARY} differ from ${LIST}:\n${changes}\n"
            "A host built against the old interface may no longer link or run. If the change is "
            "intended, update the list and commit it with the change:\n  ${UPDATE_COMMAND}\n")
        message(FATAL_ERROR "Exported symbols changed")
    endif()
    return()
endif()

set(KV_EXPORTED_SYMBOLS_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(kv_check_exported_symbols target list)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU" OR KV_SANITIZE OR KV_FUZZ OR NOT CMAKE_NM)
        return()
    endif()
    set(arguments -DNM=${CMAKE_NM} -DLIBRARY=$<TARGET_FILE:${target}> -DLIST=${list}
        "-DUPDATE_COMMAND=cmake --build ${CMAKE_BINARY_DIR} --target update_exported_symbols")
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.symbols-checked)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DMODE=check ${arguments} -P ${KV_EXPORTED_SYMBOLS_SCRIPT}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${target} ${list} ${KV_EXPORTED_SYMBOLS_SCRIPT}
        COMMENT "Comparing the exported symbols of ${target} with ${list}"
        VERBATIM)
    add_custom_target(${target}_exported_symbols ALL DEPENDS ${stamp})
    add_custom_target(update_exported_symbols
        COMMAND ${CMAKE_COMMAND} -DMODE=update ${arguments} -P ${KV_EXPORTED_SYMBOLS_SCRIPT}
        DEPENDS ${target}
        VERBATIM)
endfunction()
