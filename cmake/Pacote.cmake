# Installation and packages: `cmake --build DIR --target package` leaves a
# Debian package (Linux) or a zip of the application folder (Windows) in DIR.
# On Linux the programs go to bin/ and what they ship to share/etiquetas/,
# which the programs find from where they run; on Windows everything sits
# in one folder, as in the build tree.

set(CPACK_PACKAGE_NAME etiquetas)
set(CPACK_PACKAGE_VENDOR "etiquetas")
set(ETIQUETAS_MANTENEDOR "Equipe etiquetas <etiquetas@example.com>" CACHE STRING
  "Maintainer of the Debian package, name and address")
set(CPACK_PACKAGE_CONTACT "${ETIQUETAS_MANTENEDOR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Label printing for the Quelmonte chain's suppliers")
set(CPACK_PACKAGE_DESCRIPTION
  "Prints the Quelmonte chain's merchandise labels (price tags, adhesive labels,\n\
box and store labels, SKU labels) on the supplier's own Zebra (ZPL) and\n\
Datamax (DPL) thermal printers from the XML order files of the chain's\n\
supplier portal. A window (etiquetas) and a command line (etiquetas-cli).")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
  # With the window, also an installer (NSIS, which makes Windows installers
  # on Linux): a Start-menu entry for the window, an uninstaller, the programs
  # and their data in one folder. Settings and history stay per user.
  find_program(ETIQUETAS_MAKENSIS makensis)
  if(ETIQUETAS_JANELA_WINDOWS AND ETIQUETAS_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
    set(CPACK_NSIS_EXECUTABLE "${ETIQUETAS_MAKENSIS}")
    # A 64-bit installer for 64-bit programs: NSIS's own default is a 32-bit
    # stub, which a 64-bit-only Windows (or wine64) cannot run.
    set(CPACK_NSIS_DEFINES "Target amd64-unicode")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_PACKAGE_INSTALL_DIRECTORY "Etiquetas Quelmonte")
    set(CPACK_NSIS_PACKAGE_NAME "Etiquetas Quelmonte")
    set(CPACK_NSIS_DISPLAY_NAME "Etiquetas Quelmonte")
    set(CPACK_PACKAGE_EXECUTABLES etiquetas "Etiquetas Quelmonte")
    set(CPACK_NSIS_INSTALLED_ICON_NAME etiquetas.exe)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    set(CPACK_NSIS_MUI_FINISHPAGE_RUN etiquetas.exe)
  endif()
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Qt finds its platform plugin at run time: no library link says so. The
  # print script needs bash and timeout for network printers (both always
  # there) and lp for CUPS queues.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups-client, qt6-translations-l10n")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

  set(PACOTE "${PROJECT_SOURCE_DIR}/pacote")
  set(PACOTE_GERADO "${CMAKE_BINARY_DIR}/pacote")
  # Manual pages and the changelog go compressed, without a time stamp in
  # the gzip header, so that the package is the same from build to build.
  find_program(ETIQUETAS_GZIP gzip REQUIRED)
  set(COMPRIMIDOS)
  configure_file("${PACOTE}/changelog.in" "${PACOTE_GERADO}/changelog" @ONLY)
  foreach(origem "${PACOTE}/etiquetas.1" "${PACOTE}/etiquetas-cli.1" "${PACOTE_GERADO}/changelog")
    get_filename_component(nome "${origem}" NAME)
    add_custom_command(OUTPUT "${PACOTE_GERADO}/${nome}.gz"
      COMMAND ${ETIQUETAS_GZIP} -9nc "${origem}" > "${PACOTE_GERADO}/${nome}.gz"
      DEPENDS "${origem}" VERBATIM)
    list(APPEND COMPRIMIDOS "${PACOTE_GERADO}/${nome}.gz")
  endforeach()
  add_custom_target(documentos_pacote ALL DEPENDS ${COMPRIMIDOS})

  install(FILES "${PACOTE_GERADO}/etiquetas.1.gz" "${PACOTE_GERADO}/etiquetas-cli.1.gz"
    DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
  install(FILES "${PACOTE}/etiquetas.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  install(FILES "${PACOTE}/etiquetas.svg"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
  install(FILES "${PACOTE}/copyright" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
  # A version without a Debian revision makes a native package, whose
  # changelog is changelog.gz.
  install(FILES "${PACOTE_GERADO}/changelog.gz" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
endif()

include(CPack)
