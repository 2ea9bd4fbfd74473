# Where `cmake --install` puts the program: the executable in bin, the calendar control library in
# the program's own library folder, the shipped files in its own data folder, and the desktop
# entry, AppStream metainfo and icons where desktops look for them.
include(GNUInstallDirs)

set(PANTROVA_INSTALL_LIBRARY_DIR ${CMAKE_INSTALL_LIBDIR}/pantrova)
set(PANTROVA_INSTALL_SHIPPED_DIR ${CMAKE_INSTALL_DATADIR}/pantrova)
set(PANTROVA_APP_ID org.pantrova.Pantrova)

# The installed program finds those folders relative to its executable, so it can be moved.
file(RELATIVE_PATH PANTROVA_SHIPPED_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/pantrova)
file(RELATIVE_PATH PANTROVA_LIBRARY_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_LIBDIR}/pantrova)

# The day the version in project() was released, for the AppStream release list; change the two together.
set(PANTROVA_RELEASE_DATE 2026-12-07)
