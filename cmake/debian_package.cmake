# The Debian package, made from the install rules: cpack -G DEB in the build
# folder. dpkg-shlibdeps works out the libraries it depends on; the desktop's
# own triggers register the file type, the desktop entry, the icons and the
# manual pages when it is installed.
set(OMBREL_PACKAGE_MAINTAINER "Brontel <ombrel@brontel.com>" CACHE STRING "The Maintainer of the Debian package")

set(CPACK_PACKAGE_NAME ombrel)
set(CPACK_PACKAGE_VENDOR Brontel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "timecode calculator for video and film")
set(CPACK_PACKAGE_DESCRIPTION
    "Ombrel adds, subtracts and converts timecodes: type two timecodes and an operator, and the result appears at once \
in six formats (30 fps non-drop and 29.97 fps drop frame, PAL, film and rates of your own), one row per calculation. \
ombrel-calc computes the same from the command line and in scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${OMBREL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${OMBREL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
