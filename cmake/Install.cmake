# Installs Namori as a desktop program (cmake --install) and packages it as a Debian package
# (cpack -G DEB). Included at the end of the top-level CMakeLists.txt, after every target exists.
include(GNUInstallDirs)

set(NAMORI_APP_ID io.github.namori.Namori)
set(NAMORI_ICON_SIZES 16 24 32 48 64 128 256)
set(NAMORI_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/namori/data)
set(NAMORI_HELP_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/namori/help)
set(namori_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(namori_generated ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS namori-judge RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The bundled data files: the programs copy those the user's data folder lacks into it.
install(FILES
    ${PROJECT_SOURCE_DIR}/assets/data/霊数.txt
    ${PROJECT_SOURCE_DIR}/assets/data/鑑定解説.txt
    ${PROJECT_SOURCE_DIR}/assets/data/漢字辞書.txt
    ${PROJECT_SOURCE_DIR}/assets/data/漢字画数参考.txt
    ${PROJECT_SOURCE_DIR}/assets/data/名字.txt
    ${PROJECT_SOURCE_DIR}/assets/data/名前.txt
    ${PROJECT_SOURCE_DIR}/assets/data/避ける漢字.txt
    DESTINATION ${NAMORI_DATA_INSTALL_DIR})
# The indexes of the name-choosing aid: read-only, used where they are installed.
install(FILES
    ${PROJECT_SOURCE_DIR}/assets/naming/名前読み.txt
    ${PROJECT_SOURCE_DIR}/assets/naming/漢字読み.txt
    ${PROJECT_SOURCE_DIR}/assets/naming/名前漢字.txt
    ${PROJECT_SOURCE_DIR}/assets/naming/人気名前.txt
    ${PROJECT_SOURCE_DIR}/assets/naming/普通語読み.txt
    DESTINATION ${CMAKE_INSTALL_DATADIR}/namori/naming)
install(FILES ${PROJECT_SOURCE_DIR}/NOTICE ${PROJECT_SOURCE_DIR}/README.md
              ${namori_packaging}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Manual pages, compressed as Debian's policy asks; -n keeps the output reproducible.
find_program(NAMORI_GZIP gzip REQUIRED)
set(namori_manual_pages)
set(namori_pages namori-judge.1)
if(TARGET namori)
    list(APPEND namori_pages namori.1)
endif()
foreach(page IN LISTS namori_pages)
    add_custom_command(
        OUTPUT ${namori_generated}/${page}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${namori_packaging}/${page} ${namori_generated}/${page}
        COMMAND ${NAMORI_GZIP} -9 -n -f ${namori_generated}/${page}
        DEPENDS ${namori_packaging}/${page}
        COMMENT "Compressing the manual page ${page}"
        VERBATIM)
    list(APPEND namori_manual_pages ${namori_generated}/${page}.gz)
endforeach()
add_custom_target(namori-manual-pages ALL DEPENDS ${namori_manual_pages})
install(FILES ${namori_manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TARGET namori)
    install(TARGETS namori RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/help/ DESTINATION ${NAMORI_HELP_INSTALL_DIR})

    # The programs find the bundled files as share/namori beside their bin folder, so any prefix
    # works: cmake --install --prefix, the Debian package's /usr, a moved tree.
    # namori-start is the earlier way to start the window, kept as a launcher of namori.
    install(PROGRAMS ${namori_packaging}/namori-start.in DESTINATION ${CMAKE_INSTALL_BINDIR}
            RENAME namori-start)

    install(FILES ${namori_packaging}/${NAMORI_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${namori_packaging}/${NAMORI_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    # Icons of the hicolor theme: the SVG itself, and PNGs rendered from it at build time.
    set(namori_icon_svg ${PROJECT_SOURCE_DIR}/assets/art/namori.svg)
    install(FILES ${namori_icon_svg}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${NAMORI_APP_ID}.svg)
    add_subdirectory(${PROJECT_SOURCE_DIR}/tools/render-icons
                     ${PROJECT_BINARY_DIR}/tools/render-icons)
    set(namori_icon_folder ${namori_generated}/icons)
    set(namori_icon_pngs ${NAMORI_ICON_SIZES})
    list(TRANSFORM namori_icon_pngs PREPEND ${namori_icon_folder}/)
    list(TRANSFORM namori_icon_pngs APPEND .png)
    add_custom_command(
        OUTPUT ${namori_icon_pngs}
        COMMAND namori-render-icons ${namori_icon_svg} ${namori_icon_folder} ${NAMORI_ICON_SIZES}
        DEPENDS namori-render-icons ${namori_icon_svg}
        COMMENT "Rendering the program icon as PNG"
        VERBATIM)
    add_custom_target(namori-icons ALL DEPENDS ${namori_icon_pngs})
    foreach(size IN LISTS NAMORI_ICON_SIZES)
        install(FILES ${namori_icon_folder}/${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${NAMORI_APP_ID}.png)
    endforeach()
endif()

# The Debian package. dpkg-shlibdeps (package dpkg-dev) works out the shared-library
# dependencies; what the program needs beyond linked libraries is named here. Run cpack in a
# UTF-8 locale: its archiver cannot store the Japanese file names of the data otherwise.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME namori)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Namori developers")
set(CPACK_PACKAGE_CONTACT "Namori developers <namori@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese name fortune analysis (seimei handan)")
# One line of the long description per line of the package's control file.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Namori judges Japanese names (seimei handan): it looks up the stroke count of"
    "every character of a surname and a given name, derives the five luck numbers,"
    "grades them with the 81 spirit numbers and adds a five-element and a yin-yang"
    "verdict. It comes as a desktop program in Japanese and as the command-line"
    "judge namori-judge.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Namori developers <namori@example.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's fonts are found by name at run time, which dpkg-shlibdeps cannot see; Qt's SVG
# module is named as well because no artwork can be drawn without it, and Qt's translations
# because the file dialogs and context menus would otherwise speak English.
if(TARGET namori)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "fonts-ipafont-gothic, fonts-ipafont-mincho, libqt6svg6, qt6-translations-l10n")
endif()
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/")
include(CPack)
