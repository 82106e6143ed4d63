# Debian packages with "cpack -G DEB" from a tree configured with -DCMAKE_INSTALL_PREFIX=/usr
# (which gives the multiarch library folder): kvrv520maxcam holds the library (also the Qt
# plug-in), the tools, the translations, manual pages and a bash completion; kvrv520maxcam-dev the
# headers, the link-time symlink and the CMake package. Install rules name their component "dev"
# or get the default, "runtime".
set(KV_PACKAGE_NAME kvrv520maxcam)
set(KV_PACKAGE_MAINTAINER "KV-RV520MAXCam plug-in maintainers <kvrv520maxcam@example.org>"
    CACHE STRING "Maintainer field of the Debian packages")
set(KV_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(KV_PACKAGE_BUILD_DIR ${CMAKE_BINARY_DIR}/packaging)

# Debian keeps documentation files compressed, without a time stamp.
function(kv_gzip_for_package source output)
    add_custom_command(OUTPUT ${output}
        COMMAND gzip -9nc ${source} > ${output}
        DEPENDS ${source} VERBATIM)
endfunction()

# Manual pages made by help2man from each tool's --help, with the sections of
# packaging/man/<tool>.h2m added; kvpanel answers --help without a display. Instrumented trees
# make none: their tools' leak reports at exit would fail the build.
find_program(KV_HELP2MAN help2man)
set(kv_package_files)
if(KV_HELP2MAN AND KV_BUILD_TOOLS AND NOT KV_SANITIZE AND NOT KV_FUZZ)
    set(KV_MAN_NAME_kvhost "command-line host for the KV-RV520MAXCam cutting plotter")
    set(KV_MAN_NAME_kvsim "simulator of the KV-RV520MAXCam cutting plotter")
    set(KV_MAN_NAME_kvpanel "settings panel for the KV-RV520MAXCam cutting plotter")
    set(KV_MAN_NAME_kvcloud "local stand-in of the plotter maker's cloud service")
    foreach(tool kvhost kvsim kvpanel kvcloud)
        if(NOT TARGET ${tool})
            continue()
        endif()
        set(page ${KV_PACKAGE_BUILD_DIR}/${tool}.1)
        set(include ${KV_PACKAGING_DIR}/man/${tool}.h2m)
        add_custom_command(OUTPUT ${page}
            COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
                    PATH=$<TARGET_FILE_DIR:${tool}>:$ENV{PATH}
                    ${KV_HELP2MAN} --no-info --version-string=${PROJECT_VERSION}
                    --name=${KV_MAN_NAME_${tool}} --include=${include} --output=${page} ${tool}
            DEPENDS ${tool} ${include} VERBATIM)
        kv_gzip_for_package(${page} ${page}.gz)
        list(APPEND kv_package_files ${page}.gz)
        install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
elseif(KV_BUILD_TOOLS AND NOT KV_HELP2MAN)
    message(STATUS "help2man not found: the tools' manual pages are not made or installed")
endif()

kv_gzip_for_package(${KV_PACKAGING_DIR}/changelog ${KV_PACKAGE_BUILD_DIR}/changelog.gz)
add_custom_target(package_files ALL DEPENDS ${kv_package_files} ${KV_PACKAGE_BUILD_DIR}/changelog.gz)
file(MAKE_DIRECTORY ${KV_PACKAGE_BUILD_DIR})

foreach(component runtime dev)
    set(package ${KV_PACKAGE_NAME})
    if(component STREQUAL "dev")
        set(package ${KV_PACKAGE_NAME}-dev)
    endif()
    install(FILES ${KV_PACKAGING_DIR}/copyright ${KV_PACKAGE_BUILD_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()
install(FILES ${KV_PACKAGING_DIR}/kvhost.bash-completion
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME kvhost)
file(GLOB kv_example_plots ${PROJECT_SOURCE_DIR}/examples/*.plt)
install(FILES ${kv_example_plots} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${KV_PACKAGE_NAME}/examples)

set(CPACK_PACKAGE_NAME ${KV_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "KV-RV520MAXCam plug-in maintainers")
set(CPACK_PACKAGE_CONTACT ${KV_PACKAGE_MAINTAINER})
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL runtime dev)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE ${KV_PACKAGE_NAME})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KV_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_DEV_DEPENDS runtime)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${KV_PACKAGE_NAME})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# kvpanel shows Chinese and Japanese labels, kvhost cuts labels as the outline of their text; Qt's
# own texts (the panel's file dialog) come in the user's language from Qt's translations.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
# The library folder is the dynamic linker's: its cache is renewed by libc's trigger.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${KV_PACKAGING_DIR}/triggers)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION [=[device plug-in and tools for the KV-RV520MAXCam cutting plotter
The KV-RV520MAXCam, sold as 520经济款单张机, is a camera cutting plotter reached
over USB or TCP. This package holds its Qt 6 device plug-in, which a host
application loads with QPluginLoader, with its Chinese, English and
Japanese labels, and the tools around it: kvhost, a command-line host that
finds the plotter's port, reads and writes its settings and cuts plot
files; kvsim, a simulator of the plotter; kvpanel, a settings panel; and
kvcloud, a local stand-in of the maker's cloud service.]=])

set(CPACK_DEBIAN_DEV_PACKAGE_NAME ${KV_PACKAGE_NAME}-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qt6-base-dev, qt6-websockets-dev")
set(CPACK_DEBIAN_DEV_DESCRIPTION [=[development files for the KV-RV520MAXCam device plug-in
The headers of the KV-RV520MAXCam device plug-in (device interface,
property records, the model class, the USB transport and the cloud
client) and its CMake package KVRV520MAXCam, for host applications that
link the plug-in's library as well as load it.]=])

include(CPack)
