# What the Windows packages carry beside pelmora.exe, so that they keep the
# terms of what it contains: the licence texts and notices of Qt, of the
# third-party code inside Qt and of MinGW-w64's runtime (licenses/), and
# Pelmora's own objects with a CMake project that links them against
# another Qt (relink/), for LGPL-3.0's relinking term.
# Included from src/ with PELMORA_RESOURCE_TARGETS set.
set(PELMORA_QT_SOURCE "${PELMORA_WINDOWS_QT}/../qtbase" CACHE PATH "Qt's source: its licences and attributions")
if(NOT EXISTS ${PELMORA_QT_SOURCE}/debian/changelog)
    message(FATAL_ERROR "PELMORA_QT_SOURCE is not Debian's Qt source: ${PELMORA_QT_SOURCE}")
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# The linker's map tells which of Qt's third-party parts were linked in.
set(link_map ${CMAKE_CURRENT_BINARY_DIR}/pelmora.map)
target_link_options(pelmora PRIVATE -Wl,-Map=${link_map})
set(licences ${PROJECT_BINARY_DIR}/licenses)
add_custom_command(OUTPUT ${licences}/README.txt
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/windows-notices.py
            --qt-source ${PELMORA_QT_SOURCE} --map ${link_map} --version ${PROJECT_VERSION}
            --copyright ${PROJECT_SOURCE_DIR}/data/debian/copyright --out ${licences}
    DEPENDS pelmora ${PROJECT_SOURCE_DIR}/scripts/windows-notices.py ${PROJECT_SOURCE_DIR}/data/debian/copyright
    COMMENT "Gathering the licences of what pelmora.exe contains")
add_custom_target(licences ALL DEPENDS ${licences}/README.txt)
install(DIRECTORY ${licences}/ DESTINATION licenses)

file(STRINGS ${PELMORA_QT_SOURCE}/debian/changelog qt_changelog LIMIT_COUNT 1)
string(REGEX REPLACE "^[^(]*\\(([^)]*)\\).*" "\\1" PELMORA_QT_DEBIAN_VERSION "${qt_changelog}")
configure_file(${PROJECT_SOURCE_DIR}/data/windows/relink/README.txt.in relink/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_SOURCE_DIR}/data/windows/relink/CMakeLists.txt ${CMAKE_CURRENT_BINARY_DIR}/relink/README.txt
        DESTINATION relink)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake DESTINATION relink)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/scripts/windows-qt.sh DESTINATION relink RENAME build-qt.sh)
install(TARGETS pelmora_core ARCHIVE DESTINATION relink/objects)
install(FILES $<TARGET_OBJECTS:pelmora> DESTINATION relink/objects/program)
foreach(target ${PELMORA_RESOURCE_TARGETS})
    install(FILES $<TARGET_OBJECTS:${target}> DESTINATION relink/objects/resources)
endforeach()
