# What `cmake --install` puts where a Linux desktop expects it, and the Debian package made from
# the same tree with `cpack -G DEB`. The programs find each other and their data relative to
# bin/ (core/records/program_folders.h), so the folders below are fixed, not GNUInstallDirs
# variables that a distribution could move apart.
#
#   bin/orrerion, bin/orrerion-cli         the programs
#   libexec/orrerion/ATLAS.EXE             the atlas program they start
#   share/orrerion/data/                   the shipped data files and help texts
#   share/applications/, share/metainfo/, share/icons/hicolor/   desktop integration
#   share/man/man1/                        orrerion(1), orrerion-cli(1), written from --help
#   share/bash-completion/completions/     orrerion-cli's completion, written by the program
#   share/doc/orrerion/                    the licence and the GeoNames attribution
set(ORRERION_ID "io.github.orrerion.Orrerion")
set(ORRERION_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging")

install(TARGETS orrerion-cli RUNTIME DESTINATION bin)
if(TARGET orrerion)
  install(TARGETS orrerion RUNTIME DESTINATION bin)
endif()
if(TARGET orrerion-atlas)
  install(TARGETS orrerion-atlas RUNTIME DESTINATION libexec/orrerion)
endif()
install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/" DESTINATION share/orrerion/data)

# Desktop integration. The metadata carries the version and the project's address.
set(ORRERION_SCREENSHOT_URL "${PROJECT_HOMEPAGE_URL}/raw/main/packaging/screenshots/main-window.png")
configure_file("${ORRERION_PACKAGING_DIR}/${ORRERION_ID}.metainfo.xml.in"
  "${CMAKE_BINARY_DIR}/packaging/${ORRERION_ID}.metainfo.xml" @ONLY)
set(ORRERION_DESKTOP_FILE "${ORRERION_PACKAGING_DIR}/${ORRERION_ID}.desktop")
set(ORRERION_METAINFO_FILE "${CMAKE_BINARY_DIR}/packaging/${ORRERION_ID}.metainfo.xml")
if(TARGET orrerion)
  install(FILES "${ORRERION_DESKTOP_FILE}" DESTINATION share/applications)
  install(FILES "${ORRERION_METAINFO_FILE}" DESTINATION share/metainfo)
  install(FILES "${ORRERION_PACKAGING_DIR}/icons/${ORRERION_ID}.svg"
    DESTINATION share/icons/hicolor/scalable/apps)
  foreach(size 48 128 256)
    install(FILES "${ORRERION_PACKAGING_DIR}/icons/${ORRERION_ID}-${size}.png"
      DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME "${ORRERION_ID}.png")
  endforeach()
endif()

# Manual pages from the programs' --help, rebuilt whenever a program is.
function(orrerion_man_page target name summary)
  set(page "${CMAKE_BINARY_DIR}/man/${name}.1")
  add_custom_command(OUTPUT "${page}" "${page}.gz"
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${name} "-DSUMMARY=${summary}"
      -DVERSION=${PROJECT_VERSION} -DSECTIONS=${ORRERION_PACKAGING_DIR}/man/${name}.sections
      -DOUTPUT=${page} -P "${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake"
    DEPENDS ${target} "${ORRERION_PACKAGING_DIR}/man/${name}.sections" "${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake"
    COMMENT "Writing the manual page ${name}(1)")
  add_custom_target(man_${name} ALL DEPENDS "${page}" "${page}.gz")
  install(FILES "${page}.gz" DESTINATION share/man/man1)
endfunction()
orrerion_man_page(orrerion-cli orrerion-cli "astrology calculations from the command line")
if(TARGET orrerion)
  orrerion_man_page(orrerion orrerion "astrology calculator for progressions, solar arcs and transits")
endif()

# The bash completion, written by orrerion-cli from the table its options are read by; bash loads
# it from share/bash-completion/completions/ when the command is first completed.
set(ORRERION_COMPLETION "${CMAKE_BINARY_DIR}/completion/orrerion-cli")
add_custom_command(OUTPUT "${ORRERION_COMPLETION}"
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:orrerion-cli> -DOUTPUT=${ORRERION_COMPLETION}
    -P "${PROJECT_SOURCE_DIR}/cmake/BashCompletion.cmake"
  DEPENDS orrerion-cli "${PROJECT_SOURCE_DIR}/cmake/BashCompletion.cmake"
  COMMENT "Writing the bash completion of orrerion-cli")
add_custom_target(bash_completion ALL DEPENDS "${ORRERION_COMPLETION}")
install(FILES "${ORRERION_COMPLETION}" DESTINATION share/bash-completion/completions)

install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" "${ORRERION_PACKAGING_DIR}/copyright"
  DESTINATION share/doc/orrerion)
# The schemas of the commands' JSON outputs, which the help names.
install(DIRECTORY "${PROJECT_SOURCE_DIR}/docs/json/" DESTINATION share/doc/orrerion/json)

# The Debian package: cpack -G DEB in the build folder writes orrerion_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME "orrerion")
set(CPACK_PACKAGE_VENDOR "The Orrerion developers")
set(CPACK_PACKAGE_CONTACT "The Orrerion developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "astrology calculator for progressions, solar arcs and transits")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES TRUE)
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
# CPack puts the summary above this text.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Orrerion computes the natal, progressed, solar-arc and transit charts of a
birth in the tropical zodiac, with declinations and house cusps, then scans
a span of days for aspects and writes fixed-width reports. It comes with an
atlas of the world's cities (place data from GeoNames, CC BY 4.0) and the
command-line program orrerion-cli, which runs the same calculations.")
# The libraries the programs link, found by dpkg-shlibdeps, plus what they read at run time: the
# fonts (Liberation Mono stands in for Courier New in the fixed-width lists; DejaVu Sans is the
# windows' own font, without which a bare system falls back to a fixed-width face everywhere), the
# GeoNames city list the atlas reads through libgeonames, and the time-zone database that gives
# the atlas and orrerion-cli their clock offsets (the latter through libdate-tz, named too so that
# the dependence on the database's reader is plain); Symbola has the wheel's glyphs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core, fonts-symbola, libgeonames-common, libdate-tz3, tzdata")
# Precise positions read the Swiss Ephemeris data files; without them the built-in series serves.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "swe-basic-data")
include(CPack)
