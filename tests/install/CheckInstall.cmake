# Installs the build into a fresh prefix and checks that a desktop finds the
# program, its menu entry and its icon there.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DVALIDATE=desktop-file-validate -P CheckInstall.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

set(program "${PREFIX}/bin/play-tarvex")
set(entry "${PREFIX}/share/applications/play-tarvex.desktop")
set(icon "${PREFIX}/share/icons/hicolor/32x32/apps/play-tarvex.png")
foreach(path IN ITEMS "${program}" "${entry}" "${icon}")
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
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

# The icon is the 32 x 32 PNG the launcher's windows use.
file(READ "${icon}" header LIMIT 24 HEX)
string(SUBSTRING "${header}" 0 16 signature)
string(SUBSTRING "${header}" 32 16 size)
if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT size STREQUAL "0000002000000020")
    message(FATAL_ERROR "the icon is not a 32 x 32 PNG: ${header}")
endif()

execute_process(COMMAND "${VALIDATE}" "${entry}" RESULT_VARIABLE result OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate complains:\n${output}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
