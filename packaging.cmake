# Packages through CPack, from the build folder: `cpack` makes a Debian
# package on Linux, and an NSIS installer and a zip on Windows.
set(CPACK_PACKAGE_NAME pelmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Pelmora developers")
set(CPACK_PACKAGE_CONTACT "Pelmora developers <pelmora@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Power the computer off at a set time, in a typed conversation")
set(CPACK_PACKAGE_DESCRIPTION [=[
Pelmora is a small shutdown timer. Its window is a conversation between
the computer and you: type timer, answer with the time of day at which
the machine should stop, confirm, and when the clock reaches that time
Pelmora asks the desktop's session manager, or systemd-logind, to power
the computer off, so that applications are asked first.

A minute before, a desktop notification warns, with a button that cancels
the alarm; while armed, the machine is kept from suspending but the screen
still locks. Started as pelmora --at 23:00 it is armed at once, for the
desktop's autostart. Pelmora keeps no files and no settings.]=])
# Without its symbol table the program is about half the size.
set(CPACK_STRIP_FILES ON)

if(WIN32)
    set(CPACK_GENERATOR NSIS ZIP)
    set(CPACK_PACKAGE_FILE_NAME pelmora-${PROJECT_VERSION}-win64)
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/cpack-options.cmake)
    set(CPACK_PACKAGE_INSTALL_DIRECTORY Pelmora)
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Pelmora)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    # The Start-menu entry "Pelmora" for pelmora.exe.
    set(CPACK_PACKAGE_EXECUTABLES pelmora Pelmora)
    set(CPACK_NSIS_PACKAGE_NAME Pelmora)
    set(CPACK_NSIS_DISPLAY_NAME Pelmora)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_INSTALLED_ICON_NAME pelmora.exe)
    set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/data/icons/pelmora.ico)
    set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/data/icons/pelmora.ico)
    set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    # A 64-bit installer for a 64-bit program, with Unicode texts.
    set(CPACK_NSIS_DEFINES "Target amd64-unicode")
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_INSTALL_DIRECTORY pelmora)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    # The libraries' packages as dpkg-shlibdeps finds them, and what no link
    # shows: Qt's platform plugins (X11) and the log's font.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
    # The beep's way to the desktop's sound server (PulseAudio, or PipeWire in
    # its place) and the sound it plays. Recommended, not required: without
    # them the program types on and the window system's beep stands in.
    # qt6-wayland makes it a native client of a Wayland session, as Debian's
    # own Qt programs are, instead of one through XWayland or none at all.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "systemd, libcanberra-pulse, sound-theme-freedesktop, qt6-wayland")
endif()
include(CPack)
