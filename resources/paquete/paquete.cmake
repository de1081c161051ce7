# Installation and the Debian package (`make deb`, CPack): the three programs
# (in /usr/games, where Debian puts games), the desktop entry, the icon (the
# SVG and the usual PNG sizes rendered from it), the AppStream metainfo and
# the manual pages.  Installed in /usr, the
# program keeps its files in each user's data folder (core/carpeta.h).
if(NOT TARGET parchis OR NOT TARGET parchis-texto OR NOT TARGET parchis-sala)
    return()
endif()
include(GNUInstallDirs)

set(PARCHIS_VERSION 1.0)
set(PARCHIS_ID org.example.parchis)
# Where the program is published: the metainfo's home page, and the
# screenshot at capturas/partida.png below it.
set(PARCHIS_WEB "https://parchis.example.org/" CACHE STRING "The program's public address")

set(PAQUETE_FUENTE ${CMAKE_CURRENT_LIST_DIR})
set(PAQUETE_HECHO ${CMAKE_BINARY_DIR}/paquete)

configure_file(${PAQUETE_FUENTE}/${PARCHIS_ID}.metainfo.xml.in
    ${PAQUETE_HECHO}/${PARCHIS_ID}.metainfo.xml @ONLY)

set(PAQUETE_GENERADOS)
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
    foreach(lado 16 32 48 64 128 256)
        set(png ${PAQUETE_HECHO}/iconos/${lado}/${PARCHIS_ID}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${PAQUETE_HECHO}/iconos/${lado}
            COMMAND ${RSVG_CONVERT} -w ${lado} -h ${lado} -o ${png} ${PAQUETE_FUENTE}/parchis.svg
            DEPENDS ${PAQUETE_FUENTE}/parchis.svg VERBATIM)
        list(APPEND PAQUETE_GENERADOS ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lado}x${lado}/apps)
    endforeach()
else()
    message(STATUS "rsvg-convert not found: the package has only the SVG icon")
endif()

# Manual pages and the changelog are installed compressed, without a time
# stamp.
function(paquete_comprimido origen nombre destino)
    set(gz ${PAQUETE_HECHO}/${nombre}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND sh -c "gzip -9nc '${origen}' > '${gz}'"
        DEPENDS ${origen} VERBATIM)
    set(PAQUETE_GENERADOS ${PAQUETE_GENERADOS} ${gz} PARENT_SCOPE)
    install(FILES ${gz} DESTINATION ${destino})
endfunction()
foreach(pagina parchis parchis-texto parchis-sala)
    paquete_comprimido(${PAQUETE_FUENTE}/${pagina}.6 ${pagina}.6 ${CMAKE_INSTALL_MANDIR}/man6)
endforeach()
paquete_comprimido(${PAQUETE_FUENTE}/changelog changelog ${CMAKE_INSTALL_DOCDIR})
add_custom_target(paquete_ficheros ALL DEPENDS ${PAQUETE_GENERADOS})

# The licence, in the machine-readable form Debian reads.
install(FILES ${PAQUETE_FUENTE}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(FILES ${PAQUETE_FUENTE}/${PARCHIS_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PAQUETE_FUENTE}/parchis.svg RENAME ${PARCHIS_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PAQUETE_HECHO}/${PARCHIS_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Packing installs what is built: `make deb` builds first, and the package
# check inside `make test` must not start building the tests it runs beside.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME parchis)
set(CPACK_PACKAGE_VERSION ${PARCHIS_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "juego de parchís para el escritorio")
# Lines of the long description stay within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "Hasta cuatro jugadores: personas en este ordenador, el ordenador
con el nivel y el carácter que se elijan, o personas en otros
ordenadores de la red. Normas de la casa configurables, partidas
guardadas y aplazadas, histórico. Incluye parchis-texto, que juega
partidas entre jugadores del ordenador en la terminal, y parchis-sala,
el servidor de salas para jugar por internet sin abrir puertos.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Parchís <parchis@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PARCHIS_WEB})
# The Qt libraries (and with them the window system and sound plugins they
# ship) come from the programs' own links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

if(PARCHIS_TESTS)
    add_test(NAME paquete COMMAND sh ${CMAKE_SOURCE_DIR}/tests/paquete/comprueba-paquete.sh
        ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
endif()
