# The Debian package: `cpack -G DEB` in a build tree (a release build, for a package people use).
# Its dependencies on the system's Qt and SQLite libraries are read from the binaries with
# dpkg-shlibdeps (package dpkg-dev), so they follow whatever the build linked.
set(CPACK_PACKAGE_NAME pantrova)
set(CPACK_PACKAGE_VENDOR "Corvell Software")
set(CPACK_PACKAGE_CONTACT "Corvell Software <help@pantrova.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Recipe manager for home cooks")
set(CPACK_PACKAGE_DESCRIPTION
    "Keeps recipes in cookbooks with pictures, ingredients, instructions and serving and nutrition\n\
figures; composes ingredient lines from word lists; plans each day's meals on a calendar; and\n\
prints recipe reports, recipe cards, name lists and menus.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://pantrova.org/")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Reports are laid out with these fonts and the planner's calendar falls back to the informal one.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-comic-neue")

include(CPack)
