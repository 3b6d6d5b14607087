# Installed like a native application: the two programs, the desktop entry,
# the icon in the hicolor theme, the AppStream metadata; and a Debian package.
include(GNUInstallDirs)
install(TARGETS hushlake RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
