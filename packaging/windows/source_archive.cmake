# The source archive of the Windows zip, made at every build: cmake -DSOURCE=<top of the source
# tree> -DARCHIVE=<file.tar.gz> -DPREFIX=crout-<version> -P source_archive.cmake, run in a folder
# of the build tree. Every member lies under PREFIX/.
# - In a git checkout: `git archive` of the commit built (HEAD); uncommitted changes are not in
#   it.
# - Elsewhere (a tree unpacked from this very archive, say): every file of the tree but those
#   that the tree's .gitignore names, such as the build folders.
cmake_minimum_required(VERSION 3.25)
find_package(Git QUIET)
if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE} rev-parse --show-toplevel
                    OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE status ERROR_QUIET)
    if(status EQUAL 0 AND top STREQUAL SOURCE)
        execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE} archive --format=tar.gz
                                --prefix=${PREFIX}/ -o ${ARCHIVE} HEAD
                        COMMAND_ERROR_IS_FATAL ANY)
        return()
    endif()
endif()

# .gitignore's lines as regular expressions over paths relative to the top: a leading "/" ties
# a name to the top, a trailing "/" makes it a folder's, "*" stands for any part of one name.
set(ignored "(^|/)\\.git(/|$)")
file(STRINGS ${SOURCE}/.gitignore patterns REGEX "^[^#]")
foreach(pattern IN LISTS patterns)
    set(start "(^|/)")
    set(end "(/|$)")
    if(pattern MATCHES "^/")
        set(start "^")
    endif()
    if(pattern MATCHES "/$")
        set(end "/")
    endif()
    string(REGEX REPLACE "^/|^\\*\\*/|/$" "" pattern "${pattern}")
    string(REGEX REPLACE "([.+?()|^$[])" "\\\\\\1" pattern "${pattern}")
    string(REPLACE "*" "[^/]*" pattern "${pattern}")
    list(APPEND ignored "${start}${pattern}${end}")
endforeach()

# The top's entries first, so that the build folders are never walked.
file(GLOB entries RELATIVE ${SOURCE} LIST_DIRECTORIES true ${SOURCE}/*)
set(files "")
foreach(entry IN LISTS entries)
    if(IS_DIRECTORY ${SOURCE}/${entry})
        set(entry ${entry}/)
    endif()
    foreach(pattern IN LISTS ignored)
        if(entry MATCHES "${pattern}")
            set(entry "")
        endif()
    endforeach()
    if(entry MATCHES "/$")
        file(GLOB_RECURSE inside RELATIVE ${SOURCE} ${SOURCE}/${entry}*)
        list(APPEND files ${inside})
    elseif(entry)
        list(APPEND files ${entry})
    endif()
endforeach()
foreach(pattern IN LISTS ignored)
    list(FILTER files EXCLUDE REGEX "${pattern}")
endforeach()
list(SORT files)
list(TRANSFORM files PREPEND ${PREFIX}/)
# The members are named PREFIX/...: through a link of that name to the top.
file(REMOVE ${PREFIX})
file(CREATE_LINK ${SOURCE} ${PREFIX} SYMBOLIC)
file(ARCHIVE_CREATE OUTPUT ${ARCHIVE} PATHS ${files} FORMAT pax COMPRESSION GZip)
file(REMOVE ${PREFIX})
