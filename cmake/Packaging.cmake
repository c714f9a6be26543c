# Installation and the Debian package.
#
#   <prefix>/bin/calculateur-torique              launcher: runs the program in its picture folder
#   <prefix>/bin/torique                          command-line tool
#   <prefix>/lib/calculateur-torique/             the window program itself
#   <prefix>/share/calculateur-torique/           the pictures, read by relative name
#   <prefix>/share/applications/, share/icons/hicolor/<n>x<n>/apps/, share/man/man1/
#
# The launcher finds both folders from its own place, so any prefix works
# (cmake --install --prefix DIR, the package's /usr, an unpacked copy).
# `./package` builds the target `paquet` and runs cpack; the .deb is left in
# the build folder.

set(TORIQUE_PAQUET calculateur-torique)
set(TORIQUE_DOSSIER_PROGRAMME lib/${TORIQUE_PAQUET})
set(TORIQUE_DOSSIER_IMAGES share/${TORIQUE_PAQUET})
set(TORIQUE_TAILLES_ICONE 16 22 24 32 48 64 128 256)
set(TORIQUE_GEN ${PROJECT_BINARY_DIR}/paquet)

# Installing does not rebuild the whole tree (tests and benchmarks are not
# installed): `paquet` builds what is installed, and cpack runs after it.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
add_custom_target(paquet)

# The installed programs resolve their libraries at start and keep the
# relocation table read-only, as Debian builds its own.
install(TARGETS calculateur-torique RUNTIME DESTINATION ${TORIQUE_DOSSIER_PROGRAMME})
install(TARGETS torique RUNTIME DESTINATION bin)
target_link_options(calculateur-torique PRIVATE -Wl,-z,relro -Wl,-z,now)
target_link_options(torique PRIVATE -Wl,-z,relro -Wl,-z,now)
add_dependencies(paquet calculateur-torique torique images)

configure_file(${PROJECT_SOURCE_DIR}/packaging/calculateur-torique.in ${TORIQUE_GEN}/calculateur-torique @ONLY)
install(PROGRAMS ${TORIQUE_GEN}/calculateur-torique DESTINATION bin)

# The folder exists even before any picture does: the launcher starts in it.
install(DIRECTORY DESTINATION ${TORIQUE_DOSSIER_IMAGES})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/images/ DESTINATION ${TORIQUE_DOSSIER_IMAGES}
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        FILES_MATCHING PATTERN "*.png")

install(FILES ${PROJECT_SOURCE_DIR}/packaging/calculateur-torique.desktop DESTINATION share/applications)

# The menu icon is the window's icon, reduced to each size of the theme.
add_executable(icones ${PROJECT_SOURCE_DIR}/packaging/icones.cpp)
target_link_libraries(icones PRIVATE Qt6::Gui torique_options)
set(sorties)
foreach(n ${TORIQUE_TAILLES_ICONE})
  list(APPEND sorties ${TORIQUE_GEN}/hicolor/${n}x${n}/apps/${TORIQUE_PAQUET}.png)
endforeach()
add_custom_command(OUTPUT ${sorties}
  COMMAND icones ${PROJECT_SOURCE_DIR}/images/icone.png ${TORIQUE_GEN} ${TORIQUE_PAQUET} ${TORIQUE_TAILLES_ICONE}
  DEPENDS icones ${PROJECT_SOURCE_DIR}/images/icone.png
  COMMENT "Scaling the icon to the hicolor sizes" VERBATIM)
add_custom_target(icones_theme ALL DEPENDS ${sorties})
add_dependencies(paquet icones_theme)
install(DIRECTORY ${TORIQUE_GEN}/hicolor DESTINATION share/icons)

# Manual pages (their version filled in) and the package's changelog,
# compressed as Debian wants them.
foreach(f torique.1 calculateur-torique.1)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${f} ${TORIQUE_GEN}/source/${f} @ONLY)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog ${TORIQUE_GEN}/source/changelog COPYONLY)
set(compresses)
foreach(f torique.1 calculateur-torique.1 changelog)
  add_custom_command(OUTPUT ${TORIQUE_GEN}/${f}.gz
    COMMAND ${CMAKE_COMMAND} -DENTREE=${TORIQUE_GEN}/source/${f} -DSORTIE=${TORIQUE_GEN}/${f}.gz
            -P ${PROJECT_SOURCE_DIR}/cmake/gzip.cmake
    DEPENDS ${TORIQUE_GEN}/source/${f} ${PROJECT_SOURCE_DIR}/cmake/gzip.cmake VERBATIM)
  list(APPEND compresses ${TORIQUE_GEN}/${f}.gz)
endforeach()
add_custom_target(pages_manuel ALL DEPENDS ${compresses})
add_dependencies(paquet pages_manuel)
install(FILES ${TORIQUE_GEN}/torique.1.gz ${TORIQUE_GEN}/calculateur-torique.1.gz DESTINATION share/man/man1)
install(FILES ${TORIQUE_GEN}/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION share/doc/${TORIQUE_PAQUET})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TORIQUE_PAQUET})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Brevanta")
set(CPACK_PACKAGE_CONTACT "Calculateur Torique <calculateur-torique@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "toric intraocular lens calculator")
# The summary above is the first line; this is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A desktop calculator for the toric intraocular lenses of the VELAN T range
(cylinders +0.75 D to +6.00 D in steps of 0.75 D), in French and English.
From the operated eye, the lens's spherical power, the keratometry and the
incision, it gives the lens cylinder to implant, the axis on which to place
it and the residual astigmatism it leaves, and prints a one-page A4
calculation sheet that is also the lens order form, or saves it as PDF.

The command-line tool torique gives the same calculation without the
window, as text, JSON or a PDF sheet, for one case or a CSV file of cases,
and the surgeon's own induced astigmatism from the keratometry of past
cases, with its double-angle plot as PDF, PNG or SVG.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Arial and Calibri are drawn with their metric twins; the toolkit's own
# dialogs are translated by its translation files.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation, fonts-crosextra-carlito")
# The libraries come from dpkg-shlibdeps (versioned as the build machine
# has them); without it they are named here.
find_program(TORIQUE_SHLIBDEPS dpkg-shlibdeps)
find_program(TORIQUE_FILE file)
if(TORIQUE_SHLIBDEPS AND TORIQUE_FILE)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(PREPEND CPACK_DEBIAN_PACKAGE_DEPENDS
         "libc6, libstdc++6, libgcc-s1, libqt6core6, libqt6gui6, libqt6widgets6, libqt6printsupport6, libqt6svg6, "
         "libfontconfig1, ")
endif()
include(CPack)
