# Installing into a prefix (/usr for the Debian package) and the package itself. The
# programs find their guide in share/pluvetta and keep their files in the user's
# configuration folder when their own folder takes no file, as /usr/bin does.
include(GNUInstallDirs)
# Installing (and so cpack) builds nothing itself, not the tests and benchmarks of "all":
# scripts/package.sh builds the programs it packages first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(PLUVETTA_APP_ID io.github.pluvetta.Pluvetta)
set(PLUVETTA_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(PLUVETTA_STAGED ${CMAKE_BINARY_DIR}/packaging)
# Not CMAKE_INSTALL_DOCDIR, which takes the project's name as written, capital P included.
set(PLUVETTA_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/pluvetta)

set(PLUVETTA_PROGRAMS pluvetta wxdecode aprs-replay)
set(PLUVETTA_DESKTOP_FILES ${PLUVETTA_PACKAGING}/${PLUVETTA_APP_ID}.desktop)
set(STORICO_BINARY "")
# The history window is built only where its sources and Qt Charts are.
if(TARGET pluvetta-storico)
    list(APPEND PLUVETTA_PROGRAMS pluvetta-storico)
    list(APPEND PLUVETTA_DESKTOP_FILES ${PLUVETTA_PACKAGING}/${PLUVETTA_APP_ID}.Storico.desktop)
    set(STORICO_BINARY "    <binary>pluvetta-storico</binary>\n")
endif()

install(TARGETS ${PLUVETTA_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/Leggimi.rtf ${CMAKE_SOURCE_DIR}/docs/demo-stream.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/pluvetta)
install(FILES ${PLUVETTA_DESKTOP_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${PLUVETTA_PACKAGING}/${PLUVETTA_APP_ID}.metainfo.xml
               ${PLUVETTA_STAGED}/${PLUVETTA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PLUVETTA_STAGED}/${PLUVETTA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PLUVETTA_PACKAGING}/pluvetta.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${PLUVETTA_APP_ID}.svg)

# Generated at build time: the icon at each size a menu or a software centre asks for, the
# manual pages and the changelog compressed as Debian wants them (-n: no name or time inside,
# so that two builds give the same bytes).
set(PLUVETTA_GENERATED)
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
    foreach(size 16 22 24 32 48 64 128 256)
        set(png ${PLUVETTA_STAGED}/icons/${size}x${size}/${PLUVETTA_APP_ID}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${PLUVETTA_PACKAGING}/pluvetta.svg
            DEPENDS ${PLUVETTA_PACKAGING}/pluvetta.svg VERBATIM)
        list(APPEND PLUVETTA_GENERATED ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
else()
    message(STATUS "rsvg-convert not found: only the scalable icon is installed")
endif()

function(pluvetta_gzip source destination)
    get_filename_component(name ${source} NAME)
    set(gz ${PLUVETTA_STAGED}/${name}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND gzip -9nc ${source} > ${gz}
        DEPENDS ${source} VERBATIM)
    set(PLUVETTA_GENERATED ${PLUVETTA_GENERATED} ${gz} PARENT_SCOPE)
    install(FILES ${gz} DESTINATION ${destination})
endfunction()
foreach(program ${PLUVETTA_PROGRAMS})
    pluvetta_gzip(${PLUVETTA_PACKAGING}/man/${program}.1 ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
pluvetta_gzip(${PLUVETTA_PACKAGING}/changelog ${PLUVETTA_DOCDIR})
install(FILES ${PLUVETTA_PACKAGING}/copyright DESTINATION ${PLUVETTA_DOCDIR})
add_custom_target(pluvetta_packaging ALL DEPENDS ${PLUVETTA_GENERATED})

# The Debian package: scripts/package.sh builds it with cpack.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pluvetta)
set(CPACK_PACKAGE_VENDOR "The Pluvetta developers")
set(CPACK_PACKAGE_CONTACT "The Pluvetta developers <pluvetta@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monitor for one amateur-radio APRS weather station")
# The extended description, below the summary CPack puts first; CPack indents each line and
# marks the empty one between the paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Pluvetta watches one amateur-radio weather station over APRS. It listens to an
AGWPE packet engine, such as Dire Wolf, and to an APRS-IS server stream at the
same time, picks out the named station's weather reports and shows them in a
small window: wind rose, wind, temperature, humidity and pressure with trend
arrows, rain, wind chill, dew point, absolute humidity, and alarms in red.

The package also holds wxdecode, which decodes APRS weather packets into JSON,
and aprs-replay, a local stand-in APRS server or AGWPE engine that plays a
recorded stream; a demo stream is included. The window and its guide are in
Italian.")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/pluvetta/pluvetta)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "direwolf")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
