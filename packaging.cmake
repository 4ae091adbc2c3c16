# A Debian package through CPack: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Pelmora developers")
set(CPACK_PACKAGE_CONTACT "Pelmora developers <pelmora@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Power the computer off at a set time, in a typed conversation")
set(CPACK_PACKAGE_INSTALL_DIRECTORY pelmora)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6dbus6 (>= 6.4), qt6-qpa-plugins, fonts-ipafont-gothic, libcanberra0 (>= 0.30)")
# The beep's way to the desktop's sound server (PulseAudio, or PipeWire in
# its place) and the sound it plays. Recommended, not required: without
# them the program types on and the window system's beep stands in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "systemd, libcanberra-pulse, sound-theme-freedesktop")
include(CPack)
