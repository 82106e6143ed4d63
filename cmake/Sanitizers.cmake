# Instrumented builds, each in a build tree of its own:
#   KV_SANITIZE=ON  AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer over the
#                   plug-in, the tools and the tests (gcc or clang); scripts/test-sanitizers.sh
#   KV_FUZZ=ON      the libFuzzer targets under fuzz/ and the plug-in they drive, with the same
#                   sanitizers and coverage feedback (clang only); scripts/fuzz.sh
# Every report halts the process: a sanitizer finding fails the test or the fuzz run.
option(KV_SANITIZE "Build with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer" OFF)
option(KV_FUZZ "Build the libFuzzer targets under fuzz/ (clang)" OFF)

set(KV_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
# Configured as Debug, so that Qt's own checks (Q_ASSERT in its containers' inline code, such as
# an index within a list's size but inside its capacity, which the address check cannot see)
# stay on. Reports need only file and line, and the sanitizers little optimisation: both keep the
# build short on two cores.
set(KV_INSTRUMENTED_BUILD_FLAGS -O1 -g1)

if(KV_SANITIZE AND KV_FUZZ)
    message(FATAL_ERROR "KV_SANITIZE and KV_FUZZ are separate build trees; switch on one of them")
endif()

if(KV_SANITIZE)
    add_compile_options(${KV_SANITIZER_FLAGS} ${KV_INSTRUMENTED_BUILD_FLAGS})
    add_link_options(-fsanitize=address,undefined)
endif()

if(KV_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "KV_FUZZ needs clang's libFuzzer: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    # Coverage feedback everywhere; only the fuzz targets link libFuzzer's main (fuzz/).
    add_compile_options(-fsanitize=fuzzer-no-link ${KV_SANITIZER_FLAGS} ${KV_INSTRUMENTED_BUILD_FLAGS})
    add_link_options(-fsanitize=address,undefined)
endif()

# A host that loads the plug-in without linking it has no type information of the interface
# classes, which the vptr check of UndefinedBehaviorSanitizer refers to; it goes without it.
function(kv_plugin_host_without_link target)
    if(KV_SANITIZE OR KV_FUZZ)
        target_compile_options(${target} PRIVATE -fno-sanitize=vptr)
    endif()
endfunction()
