# What `cmake --install` puts in place and what `cpack -G DEB` packs: the program with its icon
# and desktop entry, and the virtual gauge for trying the program without a gauge.

include(GNUInstallDirs)

if(TARGET mensora AND NOT WIN32)
  install(TARGETS mensora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Loaded by the program at its first beep (ui/qt_alert_sound.cpp looks for it here).
  install(TARGETS mensora_sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/mensora)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/mensora.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/mensora.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endif()
if(TARGET mensora-gauge)
  install(TARGETS mensora-gauge RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(CPACK_PACKAGE_NAME mensora)
set(CPACK_PACKAGE_VENDOR "Mensora developers")
set(CPACK_PACKAGE_CONTACT "Mensora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "inspection bench program for digital measuring gauges")
# One paragraph of lines short enough for a package manager's window.
set(CPACK_PACKAGE_DESCRIPTION "Mensora reads a digital measuring gauge over a serial line (ASCII or
packed-decimal frames at 9600 or 4800 baud), shows the live reading in
large type and records readings on a button, on the gauge's own data key
or at a fixed period. Each record is judged OK or NG against a nominal
size and two tolerances; running statistics are kept, and the records are
written as tab-separated .xls files that spreadsheets open, with a
60-second autosave. Chinese and English interface. mensora-gauge, a
virtual gauge on a pseudo-terminal, lets the program be tried without a
gauge.")
# The binaries carry debug information in a RelWithDebInfo build; the package does not.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Mensora developers")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries come from dpkg-shlibdeps (Qt's X11 platform plug-in comes with its Gui
# library), which CPack adds to the dependencies below. The fonts it cannot see: the window's
# size follows the dialog face (AR PL UMing, the Ming face nearest to the bench PCs' 宋体),
# and the live reading is drawn in Noto Sans Mono CJK.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-noto-cjk")
# The plant database is reached through unixODBC (its library comes with the dependencies
# above); its tools and the PostgreSQL driver are what a bench that sends to one needs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "unixodbc, odbc-postgresql")

include(CPack)
