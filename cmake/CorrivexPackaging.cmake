# Packages: a zip of the win32 build (corrivex.exe, CT_PRO.DLL and a plain
# text read-me for Windows users), a .deb and a .tar.gz of the native build
# (bin/corrivex, the manual page corrivex(1), the README, copyright and
# changelog in share/doc/corrivex, and lintian's overrides). Made with `cpack` in the build directory.
#
# The programs install themselves (src/main, ct_pro); the stand-in engine and
# the tests are not installed.
if(WIN32)
  # Notepad's line ends.
  file(READ ${PROJECT_SOURCE_DIR}/doc/README-Windows.txt readme_text)
  string(REPLACE "\n" "\r\n" readme_text "${readme_text}")
  file(WRITE ${CMAKE_BINARY_DIR}/README.txt "${readme_text}")
  install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
else()
  # Debian keeps manual pages and changelogs compressed, without time stamps.
  find_program(CORRIVEX_GZIP gzip REQUIRED)
  foreach(doc corrivex.1 changelog)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/${doc}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
      COMMAND ${CORRIVEX_GZIP} -9nc ${PROJECT_SOURCE_DIR}/doc/${doc} > ${CMAKE_BINARY_DIR}/doc/${doc}.gz
      DEPENDS ${PROJECT_SOURCE_DIR}/doc/${doc})
    list(APPEND corrivex_docs ${CMAKE_BINARY_DIR}/doc/${doc}.gz)
  endforeach()
  add_custom_target(corrivex_docs ALL DEPENDS ${corrivex_docs})
  install(FILES ${CMAKE_BINARY_DIR}/doc/corrivex.1.gz DESTINATION share/man/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/doc/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
          DESTINATION share/doc/corrivex)
  install(FILES ${PROJECT_SOURCE_DIR}/doc/lintian-overrides DESTINATION share/lintian/overrides RENAME corrivex)
endif()

set(CPACK_PACKAGE_NAME "corrivex")
set(CPACK_PACKAGE_VENDOR "Corrivex")
set(CPACK_PACKAGE_CONTACT "Corrivex <support@corrivex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console front end of the Quelmark copy-detection engine")
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
  set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_PACKAGE_DESCRIPTION "Corrivex makes sure that the engine's settings file batchs.ini has batch
mode on, lists the data files of the course directory, lets the user choose
data sets in a multi-selection list box on the terminal, and runs the
Quelmark engine once per chosen data set.")
endif()
include(CPack)
