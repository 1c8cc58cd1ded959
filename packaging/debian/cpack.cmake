# CPack reads this once per generator. The archive (TGZ) keeps the settings
# of packaging/CMakeLists.txt; the Debian package holds the system component
# under /usr instead.
if(CPACK_GENERATOR STREQUAL "DEB")
  # The program counts its install prefix's bin folder as a system one, where
  # settings are kept per user; that folder must be the /usr/bin it lands in.
  if(NOT CPACK_VARNEL_INSTALL_PREFIX STREQUAL "/usr")
    message(FATAL_ERROR "The Debian package needs a build configured with "
      "CMAKE_INSTALL_PREFIX=/usr (cmake --preset deb), not ${CPACK_VARNEL_INSTALL_PREFIX}")
  endif()
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_VARNEL_SYSTEM_PROJECT}")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
