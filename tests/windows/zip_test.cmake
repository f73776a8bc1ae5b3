# The Windows zip as a user receives it: cpack makes it in a folder of its own, with its SHA-256
# file, then it is unpacked and checked. It holds exactly the expected files; every text file is
# ASCII (or UTF-8 after a byte-order mark) with CR LF line ends and no lone LF, and holds its
# main content; the source archive holds the source; crout.exe is marked for Windows 7
# (subsystem and system version 6.1) and carries its version and application manifest; and,
# stripped as it is in the zip, it runs a session started by run-crout.cmd, which shows the
# exit status at the end. Needs BUILD (the windows build folder), CPACK, OBJDUMP, WINDRES, WINE.
set(work ${BUILD}/zip_test)
file(REMOVE_RECURSE ${work})
execute_process(COMMAND ${CPACK} -G ZIP -B ${work} WORKING_DIRECTORY ${BUILD}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB zip ${work}/crout-*-win64.zip)
if(NOT status EQUAL 0 OR NOT zip)
    message(FATAL_ERROR "cpack made no zip:\n${output}")
endif()
file(ARCHIVE_EXTRACT INPUT ${zip} DESTINATION ${work}/unpacked)
string(REGEX REPLACE ".*/(crout-(.*)-win64\\.zip)$" "\\1" zip_name ${zip})
set(version ${CMAKE_MATCH_2})

file(SHA256 ${zip} hash)
file(READ ${zip}.sha256 checksum)
if(NOT checksum STREQUAL "${hash}  ${zip_name}\n")
    message(FATAL_ERROR "${zip_name}.sha256 holds \"${checksum}\", not the zip's SHA-256")
endif()

file(GLOB_RECURSE files RELATIVE ${work}/unpacked ${work}/unpacked/*)
list(SORT files)
set(expected LICENSE.txt README.txt crout-${version}-src.tar.gz crout.exe run-crout.cmd
    licenses/GCC-runtime.txt licenses/GPL-3.txt licenses/MinGW-w64-runtime.txt)
list(SORT expected)
if(NOT files STREQUAL expected)
    message(FATAL_ERROR "the zip holds ${files}\ninstead of ${expected}")
endif()

# Each text file with what it must say; none points at a file of the build machine.
set(contents README.txt "crout-${version}-src\\.tar\\.gz" LICENSE.txt "MIT License"
    run-crout.cmd "crout\\.exe.*ERRORLEVEL.*pause"
    licenses/GPL-3.txt "GNU GENERAL PUBLIC LICENSE[ \r\n]+Version 3"
    licenses/GCC-runtime.txt "GCC is Copyright.*GCC RUNTIME LIBRARY EXCEPTION.*Version 3\\.1"
    licenses/MinGW-w64-runtime.txt "mingw-w64 project.*Lucent.*Lockless")
while(contents)
    list(POP_FRONT contents file pattern)
    # As bytes in hex, one pair and a blank each: file(READ) drops carriage returns.
    file(READ ${work}/unpacked/${file} bytes HEX)
    string(REGEX REPLACE "(..)" "\\1 " bytes "${bytes}")
    if(NOT bytes MATCHES "^ef bb bf " AND bytes MATCHES "(^| )[89a-f]. ")
        message(FATAL_ERROR "${file} is neither ASCII nor UTF-8 after a byte-order mark")
    endif()
    string(FIND "${bytes}" "0d 0a " crlf)
    string(REPLACE "0d 0a " "" bytes "${bytes}")
    if(crlf EQUAL -1 OR bytes MATCHES "(^| )0a ")
        message(FATAL_ERROR "${file} does not have CR LF line ends throughout")
    endif()
    file(READ ${work}/unpacked/${file} text)
    if(NOT text MATCHES "${pattern}" OR text MATCHES "/usr/")
        message(FATAL_ERROR "${file} lacks its main content (${pattern}) or names /usr/")
    endif()
endwhile()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tzf ${work}/unpacked/crout-${version}-src.tar.gz
                OUTPUT_VARIABLE listing)
foreach(member LICENSE CMakeLists.txt CMakePresets.json cmake/mingw-w64-x86_64.cmake
               scripts/windows.sh packaging/windows/source_archive.cmake)
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

# The resources as resource-script text: the version's strings, and the manifest's lines with
# their quotes doubled. The manifest runs the program as its caller and names Windows 7, 8, 8.1
# and 10 (and 11) as supported.
execute_process(COMMAND ${WINDRES} -i ${work}/unpacked/crout.exe -O rc OUTPUT_VARIABLE resources)
string(REGEX MATCH "Copyright \\(c\\) [0-9]+ [^\"]*MIT" copyright "${resources}")
foreach(entry "VALUE \"ProductName\", \"crout\"" "VALUE \"ProductVersion\", \"${version}\""
              "VALUE \"FileVersion\", \"${version}\"" "level=\"\"asInvoker\"\""
              35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38
              1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a)
    string(FIND "${resources}" "${entry}" at)
    if(at EQUAL -1 OR NOT copyright)
        message(FATAL_ERROR "crout.exe's resources lack ${entry} or the MIT copyright:\n${resources}")
    endif()
endforeach()

# Output to a file, not a pipe: the emulator's background processes may keep a pipe open. The
# pause at the end reads its key from the end of the input.
file(WRITE ${work}/session.txt "3\n")
execute_process(COMMAND ${WINE} cmd /c run-crout.cmd
                INPUT_FILE ${work}/session.txt OUTPUT_FILE ${work}/screen.txt
                WORKING_DIRECTORY ${work}/unpacked RESULT_VARIABLE status)
file(READ ${work}/screen.txt output)
if(NOT status EQUAL 0 OR NOT output MATCHES "Pulse 3 para finalizar.*crout ended with exit status 0 ")
    message(FATAL_ERROR "the zip's crout.exe, started by run-crout.cmd, ended with ${status}:\n${output}")
endif()
