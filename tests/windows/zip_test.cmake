# The Windows zip as a user receives it: cpack makes it in a folder of its own, then it is
# unpacked and checked. It holds exactly the expected files; every text file has CR LF line
# ends and no lone LF; the source archive holds the source; crout.exe is marked for Windows 7
# (subsystem and system version 6.1), and, stripped as it is in the zip, runs a session.
# Needs BUILD (the windows build folder), CPACK, OBJDUMP and WINE.
set(work ${BUILD}/zip_test)
file(REMOVE_RECURSE ${work})
execute_process(COMMAND ${CPACK} -G ZIP -B ${work} WORKING_DIRECTORY ${BUILD}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB zip ${work}/crout-*-win64.zip)
if(NOT status EQUAL 0 OR NOT zip)
    message(FATAL_ERROR "cpack made no zip:\n${output}")
endif()
file(ARCHIVE_EXTRACT INPUT ${zip} DESTINATION ${work}/unpacked)
string(REGEX REPLACE ".*/crout-(.*)-win64\\.zip$" "\\1" version ${zip})

file(GLOB_RECURSE files RELATIVE ${work}/unpacked ${work}/unpacked/*)
list(SORT files)
set(expected LICENSE.txt README.txt crout-${version}-src.tar.gz crout.exe licenses/GCC-runtime.txt
    licenses/GMP.txt licenses/GPL-3.txt licenses/LGPL-3.txt licenses/MPFR.txt
    licenses/MinGW-w64-runtime.txt)
list(SORT expected)
if(NOT files STREQUAL expected)
    message(FATAL_ERROR "the zip holds ${files}\ninstead of ${expected}")
endif()

foreach(file IN LISTS files)
    if(NOT file MATCHES "\\.txt$")
        continue()
    endif()
    # As bytes in hex, one pair and a blank each: file(READ) drops carriage returns.
    file(READ ${work}/unpacked/${file} bytes HEX)
    string(REGEX REPLACE "(..)" "\\1 " bytes "${bytes}")
    string(FIND "${bytes}" "0d 0a " crlf)
    string(REPLACE "0d 0a " "" bytes "${bytes}")
    if(crlf EQUAL -1 OR bytes MATCHES "(^| )0a ")
        message(FATAL_ERROR "${file} does not have CR LF line ends throughout")
    endif()
endforeach()
file(READ ${work}/unpacked/README.txt readme)
file(READ ${work}/unpacked/LICENSE.txt license)
file(READ ${work}/unpacked/licenses/GCC-runtime.txt gcc_runtime)
if(NOT readme MATCHES "crout-${version}-src\\.tar\\.gz" OR NOT license MATCHES "MIT License"
   OR NOT gcc_runtime MATCHES "GCC RUNTIME LIBRARY EXCEPTION")
    message(FATAL_ERROR "README.txt, LICENSE.txt or GCC-runtime.txt lacks its main content")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tzf ${work}/unpacked/crout-${version}-src.tar.gz
                OUTPUT_VARIABLE listing)
foreach(member LICENSE CMakeLists.txt CMakePresets.json cmake/mingw-w64-x86_64.cmake
               scripts/windows.sh scripts/mingw_deps.sh)
    if(NOT listing MATCHES "(^|\n)crout-${version}/${member}\n")
        message(FATAL_ERROR "the source archive lacks ${member}")
    endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${work}/unpacked/crout.exe OUTPUT_VARIABLE header)
foreach(field MajorOSystemVersion MajorSubsystemVersion)
    if(NOT header MATCHES "${field}[ \t]+6\n")
        message(FATAL_ERROR "crout.exe: ${field} is not 6")
    endif()
endforeach()
foreach(field MinorOSystemVersion MinorSubsystemVersion)
    if(NOT header MATCHES "${field}[ \t]+1\n")
        message(FATAL_ERROR "crout.exe: ${field} is not 1")
    endif()
endforeach()

# Output to a file, not a pipe: the emulator's background processes may keep a pipe open.
file(WRITE ${work}/session.txt "3\n")
execute_process(COMMAND ${WINE} ${work}/unpacked/crout.exe INPUT_FILE ${work}/session.txt
                OUTPUT_FILE ${work}/screen.txt WORKING_DIRECTORY ${work} RESULT_VARIABLE status)
file(READ ${work}/screen.txt output)
if(NOT status EQUAL 0 OR NOT output MATCHES "Pulse 3 para finalizar")
    message(FATAL_ERROR "the zip's crout.exe ended with ${status}:\n${output}")
endif()
