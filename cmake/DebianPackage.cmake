# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package that scripts/package.sh makes: what `cmake --install` puts in place,
# under /usr, with its dependencies read from the binary.

# Installing builds nothing: scripts/package.sh builds the installed targets alone, and CPack
# then installs without building the tests and benchmarks.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${MERVANE_PACKAGE})
set(CPACK_PACKAGE_VENDOR Corvelworks)
set(CPACK_PACKAGE_CONTACT "${MERVANE_PACKAGER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "countdown clock for the referee of a negotiation board game tournament")
set(CPACK_PACKAGE_DESCRIPTION [[
Counts down the phases of each game-year, Spring and Fall from 1901, each a
negotiation optionally followed by order writing, and shows the time left, the
phase and a scrolling banner in letters a room can read. Recorded cues, full
screen on a projector, a game kept through a crash, and viewers on phones over
the local network.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The clock's face is drawn in Beteckna where Futura is not installed, and the letters it lacks
# in DejaVu Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-beteckna, fonts-dejavu-core")
# Qt's own dialogs in the languages the clock speaks.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
# Directories 0755 and files 0644 whatever the umask of the build.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
