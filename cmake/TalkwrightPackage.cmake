# `cpack -G DEB` in the build directory makes talkwright_VERSION_ARCH.deb. Its dependencies
# come from dpkg-shlibdeps (Debian's Qt 6, C++ and C runtime packages); the Qt platform
# plugins are loaded at run time, so shlibdeps cannot see them and they are named here.
set(CPACK_PACKAGE_NAME talkwright)
set(CPACK_PACKAGE_VENDOR "The Talkwright developers")
set(CPACK_PACKAGE_CONTACT "The Talkwright developers <talkwright@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and tester for branching NPC dialogue files")
set(CPACK_PACKAGE_DESCRIPTION
    "Talkwright edits, checks, exports and plays the branching NPC conversations of a\n"
    "role-playing game, one .vrx dialogue file per NPC. talkwright-cli does the same\n"
    "without a display.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TALKWRIGHT_BUILD_EDITOR)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
endif()
include(CPack)
