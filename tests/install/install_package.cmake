file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed:\n${output}")
    endif()
    set(last_output "${output}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(header kvdeviceinterface.h kvdeviceproperty.h kvcommoninterface.h kvrv520maxcam.h usboperate.h pivenacloud.h)
    if(NOT EXISTS ${prefix}/include/kvdevice/${header})
        message(FATAL_ERROR "missing installed header ${header}")
    endif()
endforeach()
file(GLOB qm_files ${prefix}/share/kvdevice/translations/*.qm)
list(LENGTH qm_files qm_count)
if(qm_count LESS 2)
    message(FATAL_ERROR "translations not installed")
endif()

# The installed plug-in and tools find their translations in the installed layout: the installed
# kvhost has no translations folder beside it, and lists Japanese labels under Japanese headings
# under ja_JP.
if(EXISTS ${prefix}/bin/kvhost)
    run(${CMAKE_COMMAND} -E env --unset=KV_PLUGIN_PATH ${prefix}/bin/kvhost --lang ja_JP list)
    if(NOT last_output MATCHES "^キー +ラベル " OR NOT last_output MATCHES "\nSTATUS +ステータス "
       OR NOT last_output MATCHES "\nTCP_PORT +ポート ")
        message(FATAL_ERROR "the installed kvhost lists no Japanese labels under ja_JP:\n${last_output}")
    endif()
endif()

run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/host -B ${WORK_DIR}/host -DCMAKE_PREFIX_PATH=${prefix}
    "-DCMAKE_CXX_FLAGS=${HOST_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${HOST_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/host)
run(${WORK_DIR}/host/example_host)
message(STATUS "${last_output}")
