# Installs the build into a fresh prefix and checks that a desktop, a software
# centre and man find the program there: exactly the files of
# installed-files.txt (the Debian package's list too), each accepted by the
# tool that reads it.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DDESKTOP_FILE_VALIDATE=... -DAPPSTREAMCLI=... -DMAN=...
#         -P CheckInstall.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/installed-files.txt" expected)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
    string(REPLACE ";" "\n  " installed "${installed}")
    message(FATAL_ERROR "installed files differ from installed-files.txt:\n  ${installed}")
endif()

set(program "${PREFIX}/bin/play-tarvex")
set(entry "${PREFIX}/share/applications/play-tarvex.desktop")
execute_process(COMMAND test -x "${program}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "not executable: ${program}")
endif()

# The entry must name the installed program and icon by the names a desktop
# looks up: the command on PATH and the icon theme name.
file(STRINGS "${entry}" exec_line REGEX "^Exec=")
file(STRINGS "${entry}" icon_line REGEX "^Icon=")
if(NOT exec_line STREQUAL "Exec=play-tarvex")
    message(FATAL_ERROR "unexpected ${exec_line}")
endif()
if(NOT icon_line STREQUAL "Icon=play-tarvex")
    message(FATAL_ERROR "unexpected ${icon_line}")
endif()

# Each PNG icon is as large as the theme folder it is in says.
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
    set(icon "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/play-tarvex.png")
    file(READ "${icon}" header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${icon} is not a ${size} x ${size} PNG: ${header}")
    endif()
endforeach()

execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${entry}" RESULT_VARIABLE result OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate complains:\n${output}")
endif()
# Infos pass: the validator does not know the .example top-level domain.
execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --no-color
    "${PREFIX}/share/metainfo/example.tarvex.PlayTarvex.metainfo.xml"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate fails:\n${output}")
endif()
# man writes the page to standard output and its warnings to standard error.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env MANWIDTH=80 "${MAN}" --warnings -l
    "${PREFIX}/share/man/man6/play-tarvex.6.gz" RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "man warns:\n${output}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
