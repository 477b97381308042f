# Packages: a zip of the win32 build (corrivex.exe, CT_PRO.DLL, the README),
# a .deb and a .tar.gz of the native build (bin/corrivex and the README in
# share/doc/corrivex). Made with `cpack` in the build directory.
#
# The programs install themselves (src/main, ct_pro); the stand-in engine and
# the tests are not installed.
if(WIN32)
  set(CORRIVEX_DOC_DESTINATION .)
else()
  set(CORRIVEX_DOC_DESTINATION share/doc/corrivex)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CORRIVEX_DOC_DESTINATION})

set(CPACK_PACKAGE_NAME "corrivex")
set(CPACK_PACKAGE_VENDOR "Corrivex")
set(CPACK_PACKAGE_CONTACT "Corrivex <support@corrivex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Console front end that runs the Quelmark copy-detection engine on chosen data sets")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR "ZIP")
  set(CPACK_SYSTEM_NAME "win32")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR "DEB;TGZ")
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6")
  set(CPACK_DEBIAN_PACKAGE_SECTION "education")
endif()
include(CPack)
