# Installs Namori as a desktop program (cmake --install) and packages it as a Debian package
# (cpack -G DEB). Included at the end of the top-level CMakeLists.txt, after every target exists.
include(GNUInstallDirs)

set(NAMORI_APP_ID io.github.namori.Namori)
set(NAMORI_ICON_SIZES 16 24 32 48 64 128 256)
set(NAMORI_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/namori/data)
set(NAMORI_HELP_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/namori/help)
set(namori_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(namori_generated ${PROJECT_BINARY_DIR}/packaging)

# Three packages from one build, as install components: "judge" (namori-judge, no Qt), "data"
# (the shipped tables, naming indexes and help pages, for every architecture) and "window"
# (namori). Each package's documentation folder holds its copyright and Debian changelog.
set(namori_packages judge data)
set(namori_package_judge namori-judge)
set(namori_package_data namori-data)
set(namori_package_window namori)
if(TARGET namori)
    list(APPEND namori_packages window)
endif()
find_program(NAMORI_GZIP gzip REQUIRED)
# Compressed as Debian's policy asks; -n keeps the output reproducible.
function(namori_gzip source output)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${output}.tmp
        COMMAND ${NAMORI_GZIP} -9 -n -c ${output}.tmp > ${output}
        DEPENDS ${source}
        COMMENT "Compressing ${source}"
        VERBATIM)
endfunction()
namori_gzip(${namori_packaging}/changelog ${namori_generated}/changelog.Debian.gz)
set(namori_compressed ${namori_generated}/changelog.Debian.gz)
foreach(component IN LISTS namori_packages)
    set(package ${namori_package_${component}})
    install(FILES ${namori_packaging}/copyright ${namori_generated}/changelog.Debian.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
    install(FILES ${namori_packaging}/${package}.lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${package}
            COMPONENT ${component})
endforeach()

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

# Manual pages in English and Japanese.
set(namori_pages judge:namori-judge.1)
if(TARGET namori)
    list(APPEND namori_pages window:namori.1)
endif()
foreach(entry IN LISTS namori_pages)
    string(REPLACE ":" ";" entry ${entry})
    list(GET entry 0 component)
    list(GET entry 1 page)
    foreach(language IN ITEMS "" ja)
        set(source ${namori_packaging}/${language}/${page})
        set(output ${namori_generated}/man/${language}/${page}.gz)
        namori_gzip(${source} ${output})
        list(APPEND namori_compressed ${output})
        set(folder ${CMAKE_INSTALL_MANDIR}/${language}/man1)
        cmake_path(NORMAL_PATH folder)
        install(FILES ${output} DESTINATION ${folder} COMPONENT ${component})
    endforeach()
endforeach()
add_custom_target(namori-manual-pages ALL DEPENDS ${namori_compressed})

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

# The Debian packages. dpkg-shlibdeps (package dpkg-dev) works out the shared-library
# dependencies; what a program needs beyond linked libraries is named here. Run cpack in a UTF-8
# locale: its archiver cannot store the Japanese file names of the data otherwise.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME namori)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Namori developers")
set(CPACK_PACKAGE_CONTACT "Namori developers <namori@example.invalid>")
# CPack puts the project's summary in front of each package's description unless it is CPack's
# default summary; each description below begins with its package's own summary line.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_NAME} built using CMake")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${namori_packages})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Namori developers <namori@example.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(namori_exact "(= ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})")
string(CONCAT namori_about
    "Namori judges Japanese names (seimei handan): it looks up the stroke count of\n"
    "every character of a surname and a given name, derives the five luck numbers,\n"
    "grades them with the 81 spirit numbers and adds a five-element and a yin-yang\n"
    "verdict.\n\n")
foreach(component IN LISTS namori_packages)
    string(TOUPPER ${component} upper)
    set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${namori_package_${component}})
    set(CPACK_DEBIAN_${upper}_FILE_NAME DEB-DEFAULT)
endforeach()
set(CPACK_DEBIAN_JUDGE_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_JUDGE_PACKAGE_DEPENDS "namori-data ${namori_exact}")
string(CONCAT CPACK_DEBIAN_JUDGE_DESCRIPTION
    "Japanese name fortune analysis (seimei handan) on the command line\n${namori_about}"
    "This package holds namori-judge, the command-line judge, which needs no\n"
    "window system.")
set(CPACK_DEBIAN_DATA_PACKAGE_ARCHITECTURE all)
string(CONCAT CPACK_DEBIAN_DATA_DESCRIPTION
    "Japanese name fortune analysis (seimei handan) - data\n${namori_about}"
    "This package holds the tables, the naming indexes and the help pages that\n"
    "namori and namori-judge read.")
set(CPACK_DEBIAN_WINDOW_PACKAGE_SHLIBDEPS ON)
# The window's fonts are found by name at run time, which dpkg-shlibdeps cannot see; Qt's
# translations make the file dialogs and context menus speak Japanese.
set(CPACK_DEBIAN_WINDOW_PACKAGE_DEPENDS
    "namori-data ${namori_exact}, namori-judge ${namori_exact}, fonts-ipafont-gothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS qt6-translations-l10n)
string(CONCAT CPACK_DEBIAN_WINDOW_DESCRIPTION
    "Japanese name fortune analysis (seimei handan) in a window\n${namori_about}"
    "This package holds namori, the desktop program in Japanese.")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/")
include(CPack)
