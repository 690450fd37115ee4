# Installs Namori as a desktop program (cmake --install); the Debian packages are made from
# debian/ with dpkg-buildpackage, which installs through these rules. Included at the end of the top-level CMakeLists.txt, after every target exists.
include(GNUInstallDirs)

set(NAMORI_APP_ID io.github.namori.Namori)
set(NAMORI_ICON_SIZES 16 24 32 48 64 128 256)
set(NAMORI_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/namori/data)
set(NAMORI_HELP_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/namori/help)
set(namori_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(namori_generated ${PROJECT_BINARY_DIR}/packaging)

# Install components match the Debian packages made from debian/: "judge" (namori-judge, no Qt),
# "data" (the shipped tables, naming indexes and help pages, for every architecture) and
# "window" (namori).
install(TARGETS namori-judge RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT judge)
install(FILES ${namori_packaging}/namori-judge.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME namori-judge
        COMPONENT judge)

# The shipped tables are read where they are installed; the programs copy the dictionary and the
# lists into the user's data folder, which the user adds to.
install(FILES
    ${PROJECT_SOURCE_DIR}/assets/data/霊数.txt
    ${PROJECT_SOURCE_DIR}/assets/data/鑑定解説.txt
    ${PROJECT_SOURCE_DIR}/assets/data/漢字辞書.txt
    ${PROJECT_SOURCE_DIR}/assets/data/漢字画数参考.txt
    ${PROJECT_SOURCE_DIR}/assets/data/漢字辞書旧字.txt
    ${PROJECT_SOURCE_DIR}/assets/data/名字.txt
    ${PROJECT_SOURCE_DIR}/assets/data/名前.txt
    ${PROJECT_SOURCE_DIR}/assets/data/避ける漢字.txt
    DESTINATION ${NAMORI_DATA_INSTALL_DIR} COMPONENT data)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/naming/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/namori/naming COMPONENT data)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/help/ DESTINATION ${NAMORI_HELP_INSTALL_DIR}
        COMPONENT data)
install(FILES ${PROJECT_SOURCE_DIR}/NOTICE ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/namori-data COMPONENT data)

# Manual pages in English and Japanese; packaging compresses them.
install(FILES ${namori_packaging}/namori-judge.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT judge)
install(FILES ${namori_packaging}/ja/namori-judge.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1
        COMPONENT judge)
if(TARGET namori)
    install(FILES ${namori_packaging}/namori.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
            COMPONENT window)
    install(FILES ${namori_packaging}/ja/namori.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1
            COMPONENT window)
endif()

if(TARGET namori)
    install(TARGETS namori RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT window)
    # The programs find the shipped files as share/namori beside their bin folder, so any prefix
    # works: cmake --install --prefix, the Debian packages' /usr, a moved tree.
    install(FILES ${namori_packaging}/${NAMORI_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT window)
    install(FILES ${namori_packaging}/${NAMORI_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT window)

    # Icons of the hicolor theme: the SVG itself, and PNGs rendered from it at build time.
    set(namori_icon_svg ${PROJECT_SOURCE_DIR}/assets/art/namori.svg)
    install(FILES ${namori_icon_svg}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${NAMORI_APP_ID}.svg COMPONENT window)
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
                RENAME ${NAMORI_APP_ID}.png COMPONENT window)
    endforeach()
endif()
