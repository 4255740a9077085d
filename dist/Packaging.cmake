# Packages of the installed tree: a .deb (installs under /usr, dependencies found by
# dpkg-shlibdeps) and a .tar.gz of the same tree. scripts/package.sh builds both.
set(CPACK_PACKAGE_NAME pitwright)
set(CPACK_PACKAGE_VENDOR "Pitwright developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for the teams, drivers, cars and onboard cameras of GP4")
set(CPACK_PACKAGE_DESCRIPTION
    "Pitwright reads the team, driver, car and onboard-camera data of an installed copy of the racing
game GP4, shows them beside a live 3D preview of the selected onboard camera and writes edited
values back in place.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Pitwright developers")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
