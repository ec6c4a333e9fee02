# What `cmake --install` puts where, and the Debian package `cpack -G DEB` makes of it.
install(TARGETS zorikan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/zorikan.sym DESTINATION ${CMAKE_INSTALL_DATADIR}/zorikan)
install(FILES data/desktop/org.zorikan.Zorikan.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/desktop/org.zorikan.Zorikan.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/zorikan.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN ITEMS 16 24 32 48 64 128 256)
  install(FILES data/icons/zorikan-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME zorikan.png)
endforeach()
install(DIRECTORY data/guide/ DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME zorikan)
set(CPACK_PACKAGE_VENDOR "ZORIKAN")
set(CPACK_PACKAGE_CONTACT "ZORIKAN developers <zorikan@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "eye trainer with fine gratings and a vision check")
# One string (a list of several would reach the control file joined by semicolons); the package's
# description is the summary line followed by this paragraph, each line indented by one blank.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "ZORIKAN trains the eyes with fine black-and-white gratings that hide a digit\n"
    "on the left or the right half of the screen: the user answers with the left\n"
    "or right mouse button, hears a tone for each answer and sees the counts,\n"
    "the mean answer time and the push-ups owed. A vision check measures visual\n"
    "acuity from 0.1 to 2.0 with a gap ring sized in millimetres from the viewing\n"
    "distance and the display, and a chart shows every training run and check.\n"
    "The interface is in Russian.")
# The about text names the guide at its installed place, so the package installs where the build was
# configured to (configure with -DCMAKE_INSTALL_PREFIX=/usr for a package).
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
include(CPack)
