# A catalogue is complete: lupdate run over SOURCES into a scratch copy of CATALOGUE finds every
# text of the sources with a finished translation, and no entry whose text the sources no longer
# have. Fails naming each text that needs work.
#   cmake -DLUPDATE=... -DCATALOGUE=x.ts -DSOURCES=folder -DSCRATCH=folder -P check_catalogue.cmake
get_filename_component(name ${CATALOGUE} NAME)
set(scratch ${SCRATCH}/${name})
file(MAKE_DIRECTORY ${SCRATCH})
configure_file(${CATALOGUE} ${scratch} COPYONLY)
execute_process(COMMAND ${LUPDATE} -locations none ${SOURCES} -ts ${scratch}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}:\n${output}")
endif()

file(READ ${scratch} text)
# Semicolons would split the matches into list items.
string(REPLACE ";" "@SEMICOLON@" text "${text}")
set(problems "")
# Adds the source text of each entry of `text` that `kind` matches, as "what: text".
function(find_entries what kind)
    set(entry "<source>([^<]*)</source>[^<]*(<comment>[^<]*</comment>[^<]*)?<translation")
    string(REGEX MATCHALL "${entry}${kind}" found "${text}")
    foreach(match IN LISTS found)
        string(REGEX REPLACE "^<source>([^<]*)</source>.*" "\\1" source "${match}")
        string(REPLACE "@SEMICOLON@" ";" source "${source}")
        string(APPEND problems "\n  ${what}: \"${source}\"")
    endforeach()
    set(problems "${problems}" PARENT_SCOPE)
endfunction()
find_entries("not translated yet" " type=\"unfinished\"")
find_entries("no longer in the sources" " type=\"(vanished|obsolete)\"")
find_entries("empty translation" ">(</translation>|[^<]*(<numerusform>[^<]+</numerusform>[^<]*)*<numerusform></numerusform>)")
if(problems)
    message(FATAL_ERROR "${name} needs work (update it with the update_translations target, then translate):${problems}")
endif()
message(STATUS "${name}: complete")
