# `cmake --install`: the program and its img/ pictures in a folder of their own (the game finds
# its pictures beside itself), a `vortelle` command on the path, and the desktop's entry,
# icons and AppStream metadata.
include(GNUInstallDirs)

set(VORTELLE_PROGRAM_DIR lib/vortelle)

install(TARGETS vortelle RUNTIME DESTINATION ${VORTELLE_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/img/ DESTINATION ${VORTELLE_PROGRAM_DIR}/img
  FILES_MATCHING PATTERN "*.jpg")

# A relative link, so the installed tree can be moved (or staged with DESTDIR) as a whole.
install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bin}\")
  file(CREATE_LINK ../${VORTELLE_PROGRAM_DIR}/vortelle \"\${bin}/vortelle\" SYMBOLIC)
  message(STATUS \"Installing: \${bin}/vortelle -> ../${VORTELLE_PROGRAM_DIR}/vortelle\")
")

# The desktop knows the program by its reverse-DNS id: the entry, the metadata and the icon are
# named after it.
set(VORTELLE_APP_ID org.example.vortelle)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${VORTELLE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${VORTELLE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icons are the program's own icon, drawn at build time by tools/pictures.
foreach(size ${VORTELLE_ICON_SIZES})
  install(FILES ${VORTELLE_PICTURES_DIR}/icon-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${VORTELLE_APP_ID}.png)
endforeach()
