# Packages of the installed tree: a .deb (installs under /usr, dependencies found by
# dpkg-shlibdeps) and a .tar.gz of the same tree, which unpacks into pitwright-<version>-Linux/.
# scripts/package.sh builds both from a build of the program alone, with the distribution's flags.
set(CPACK_PACKAGE_NAME pitwright)
set(CPACK_PACKAGE_VENDOR "Pitwright developers")
set(CPACK_PACKAGE_CONTACT "${PITWRIGHT_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${PITWRIGHT_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the teams, drivers, cars and cameras of GP4")
# Lines of at most 80 characters: the control file shows them as they are.
set(CPACK_PACKAGE_DESCRIPTION
    "Pitwright reads the team, driver, car and onboard-camera data of an
installed copy of the racing game GP4, shows them beside a live 3D preview
of the selected onboard camera and writes edited values back in place.
On Linux it finds a game installed in the common Wine prefixes by itself.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PITWRIGHT_MAINTAINER}")
# An editor of a game's data, not a game.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
