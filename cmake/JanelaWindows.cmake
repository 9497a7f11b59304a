# Finds the Qt and zint that scripts/terceiros-windows --janela builds for
# Windows, in the cache that every clone of the machine shares, and prepares
# the cross build to use them: Qt's own tools (moc, rcc, uic) are the build
# machine's Qt of the same version. Sets ETIQUETAS_JANELA_WINDOWS.
if(DEFINED ENV{ETIQUETAS_CACHE})
  set(cache_padrao "$ENV{ETIQUETAS_CACHE}")
elseif(DEFINED ENV{XDG_CACHE_HOME})
  set(cache_padrao "$ENV{XDG_CACHE_HOME}/etiquetas")
else()
  set(cache_padrao "$ENV{HOME}/.cache/etiquetas")
endif()
set(ETIQUETAS_CACHE_WINDOWS "${cache_padrao}" CACHE PATH
  "Where scripts/terceiros-windows --janela keeps Qt and zint for Windows")

file(GLOB qt_marcas "${ETIQUETAS_CACHE_WINDOWS}/qt6-windows-*/.completo")
file(GLOB zint_marcas "${ETIQUETAS_CACHE_WINDOWS}/zint-windows-*/.completo")
set(ETIQUETAS_JANELA_WINDOWS OFF)
if(qt_marcas AND zint_marcas)
  list(SORT qt_marcas)
  list(GET qt_marcas -1 qt_marca)
  list(SORT zint_marcas)
  list(GET zint_marcas -1 zint_marca)
  get_filename_component(ETIQUETAS_QT_WINDOWS "${qt_marca}" DIRECTORY)
  get_filename_component(zint_prefixo "${zint_marca}" DIRECTORY)
  list(APPEND CMAKE_FIND_ROOT_PATH "${ETIQUETAS_QT_WINDOWS}" "${zint_prefixo}")
  execute_process(COMMAND dpkg-architecture -qDEB_HOST_MULTIARCH
    OUTPUT_VARIABLE multiarch OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(QT_HOST_PATH /usr CACHE PATH "The build machine's Qt, whose tools the cross build runs")
  set(QT_HOST_PATH_CMAKE_DIR "/usr/lib/${multiarch}/cmake" CACHE PATH
    "CMake files of the build machine's Qt")
  set(ETIQUETAS_JANELA_WINDOWS ON)
  message(STATUS "Windows window: Qt in ${ETIQUETAS_QT_WINDOWS}, zint in ${zint_prefixo}")
else()
  message(STATUS "Windows window: not built (no Qt and zint for Windows in "
    "${ETIQUETAS_CACHE_WINDOWS}; scripts/terceiros-windows --janela makes them)")
endif()

# No windeployqt in this build of Qt: the DLLs the programs load (Qt's, the
# compiler's runtime beside them) and the plugins Qt loads by name go beside
# the programs, in the application folder and in an installation, where Qt
# looks for plugins first. The offscreen platform serves the CLI's preview
# and the tests.
function(etiquetas_implantar_qt_windows)
  set(bin "${ETIQUETAS_QT_WINDOWS}/bin")
  set(plugins "${ETIQUETAS_QT_WINDOWS}/plugins")
  set(dlls "${bin}/Qt6Core.dll" "${bin}/Qt6Gui.dll" "${bin}/Qt6Widgets.dll"
    "${bin}/libstdc++-6.dll" "${bin}/libgcc_s_seh-1.dll" "${bin}/libwinpthread-1.dll")
  set(pastas_plugins platforms styles)
  set(comandos)
  set(copias)
  foreach(dll IN LISTS dlls)
    get_filename_component(nome "${dll}" NAME)
    list(APPEND comandos COMMAND ${CMAKE_COMMAND} -E copy_if_different "${dll}"
      "${ETIQUETAS_PASTA_APLICACAO}/${nome}")
  endforeach()
  install(FILES ${dlls} DESTINATION "${ETIQUETAS_DESTINO_PROGRAMAS}")
  foreach(pasta IN LISTS pastas_plugins)
    file(GLOB arquivos "${plugins}/${pasta}/*.dll")
    list(APPEND comandos COMMAND ${CMAKE_COMMAND} -E make_directory
      "${ETIQUETAS_PASTA_APLICACAO}/${pasta}")
    foreach(arquivo IN LISTS arquivos)
      get_filename_component(nome "${arquivo}" NAME)
      list(APPEND comandos COMMAND ${CMAKE_COMMAND} -E copy_if_different "${arquivo}"
        "${ETIQUETAS_PASTA_APLICACAO}/${pasta}/${nome}")
    endforeach()
    install(FILES ${arquivos} DESTINATION "${ETIQUETAS_DESTINO_PROGRAMAS}/${pasta}")
  endforeach()
  # The window's Qt buttons ("Sim", "Não", "Cancelar") in Portuguese: Debian's
  # translation of qtbase is data, the same file on every system. The window
  # tests find it beside them too.
  find_file(ETIQUETAS_TRADUCAO_QT qtbase_pt_BR.qm PATHS /usr/share/qt6/translations
    NO_CMAKE_FIND_ROOT_PATH)
  if(ETIQUETAS_TRADUCAO_QT)
    foreach(pasta "${ETIQUETAS_PASTA_APLICACAO}" "${CMAKE_BINARY_DIR}/tests")
      list(APPEND comandos COMMAND ${CMAKE_COMMAND} -E make_directory "${pasta}"
        COMMAND ${CMAKE_COMMAND} -E copy_if_different "${ETIQUETAS_TRADUCAO_QT}" "${pasta}/")
    endforeach()
    install(FILES "${ETIQUETAS_TRADUCAO_QT}" DESTINATION "${ETIQUETAS_DESTINO_PROGRAMAS}")
  else()
    message(WARNING "qtbase_pt_BR.qm not found (qt6-translations-l10n): the window's Qt "
      "buttons stay in English on Windows")
  endif()
  add_custom_target(dlls_janela ALL ${comandos} VERBATIM)
endfunction()
