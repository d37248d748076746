# The installation, in one place (included last by the top CMakeLists.txt).
#
#   <prefix>/libexec/korvet  the program folder: Korvet, Pelmat, korvet-cli,
#                            the engine library, "BDEinst.dll", the
#                            installation's mark, and links to the data below
#   <prefix>/share/korvet    the data: Podatci (the demo database as the
#                            starting data), fonts, help texts, the manual
#   <prefix>/bin             korvet, pelmat, korvet-cli (links)
#   <prefix>/share/applications, share/icons/hicolor   the desktop's menu
#
# The programs find their libraries beside themselves. An installed Korvet
# works in a per-user copy of its folder (platform/workfolder.h).
# The program folder is private to the programs (they find their libraries
# beside themselves), so it lies outside the linker's folders and the package
# needs no ldconfig run.
set(KORVET_INSTALL_PROGRAM_DIR libexec/korvet)
set(KORVET_INSTALL_DATA_DIR share/korvet)

set_target_properties(Korvet Pelmat korvet-cli korvet_bdeinst_library PROPERTIES
  INSTALL_RPATH "$ORIGIN")
install(TARGETS Korvet Pelmat korvet-cli RUNTIME DESTINATION ${KORVET_INSTALL_PROGRAM_DIR})
install(TARGETS korvet_engine korvet_bdeinst_library LIBRARY DESTINATION ${KORVET_INSTALL_PROGRAM_DIR})

file(WRITE ${CMAKE_BINARY_DIR}/korvet.installed
  "Korvet ${PROJECT_VERSION} installed here; each user works in a copy of this folder.\n")
install(FILES ${CMAKE_BINARY_DIR}/korvet.installed DESTINATION ${KORVET_INSTALL_PROGRAM_DIR})

# The demo database as built, not the copy a run of build/bin may have changed.
install(DIRECTORY ${CMAKE_BINARY_DIR}/demo/Podatci DESTINATION ${KORVET_INSTALL_DATA_DIR})
install(DIRECTORY ${KORVET_PROGRAM_DIR}/uputstvo DESTINATION ${KORVET_INSTALL_DATA_DIR} OPTIONAL)
install(FILES
  ${KORVET_PROGRAM_DIR}/dostava.rtf
  ${KORVET_PROGRAM_DIR}/Yhelvn.TTF
  ${KORVET_PROGRAM_DIR}/Yhelvb.TTF
  "${KORVET_PROGRAM_DIR}/Cir Helvetica.TTF"
  "${KORVET_PROGRAM_DIR}/Cir Helvetica Bold.TTF"
  ${KORVET_PROGRAM_DIR}/Yuerife.FON
  ${KORVET_PROGRAM_DIR}/DejaVu-licence.txt
  DESTINATION ${KORVET_INSTALL_DATA_DIR})

install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/korvet.desktop
              ${PROJECT_SOURCE_DIR}/data/desktop/pelmat.desktop
        DESTINATION share/applications)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION share/icons)

# Links, made where the files were laid: each data entry into the program
# folder, and the commands.
install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(GLOB data RELATIVE "${root}/share/korvet" "${root}/share/korvet/*")
  foreach(name IN LISTS data)
    file(CREATE_LINK "../../share/korvet/${name}" "${root}/libexec/korvet/${name}" SYMBOLIC)
  endforeach()
  file(MAKE_DIRECTORY "${root}/bin")
  foreach(pair IN ITEMS "korvet=Korvet" "pelmat=Pelmat" "korvet-cli=korvet-cli")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 command)
    list(GET pair 1 program)
    file(CREATE_LINK "../libexec/korvet/${program}" "${root}/bin/${command}" SYMBOLIC)
  endforeach()
]])

# The Debian package (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Korvet developers <korvet@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reader of a database of Serbian legal regulations")
set(CPACK_PACKAGE_DESCRIPTION
  "Korvet reads a database of Serbian legal regulations: browse by gazette, year and issue or by legal area, search titles and texts, read ministries' opinions, superseded versions and model contracts, print, and fetch database updates. Pelmat re-registers its database engine.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link (Qt 6, SQLite, curl, zlib, bzip2, pxlib)
# come from dpkg-shlibdeps; the PDF layout draws in DejaVu Sans.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
include(CPack)
