# Installing the game (cmake --install BUILD --prefix PREFIX) and packaging it for
# Debian (cpack -G DEB in the build folder).
#
# Layout below the prefix:
#   bin/tavlero, bin/tavlero-tool
#   share/tavlero/{clp,wav,music,cfg/help.dat,cfg/endgames.dat}   the game's data
#   share/applications/tavlero.desktop
#   share/icons/hicolor/NxN/apps/tavlero.png
#   share/metainfo/io.github.tavlero.Tavlero.metainfo.xml
#   share/doc/tavlero/{copyright,changelog.gz}, share/man/man6/tavlero.6.gz,
#   share/man/man1/tavlero-tool.1.gz
# The Debian package moves the programs from bin/ to games/ (DebianLayout.cmake).
# The program looks for its data at <its folder>/../share/tavlero, so bin/ and
# share/tavlero/ are fixed names here rather than GNUInstallDirs' settable ones.

# Where the project lives, and the board screen's picture that software centres show.
set(TAVLERO_HOMEPAGE "https://github.com/tavlero/tavlero")
set(TAVLERO_SCREENSHOT_URL "https://raw.githubusercontent.com/tavlero/tavlero/main/packaging/screenshot.png")
# The day this version was released; moves with the version in project().
set(TAVLERO_RELEASE_DATE "2026-12-09")

set(tavlero_app_id io.github.tavlero.Tavlero)
set(tavlero_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(tavlero_generated ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS tavlero tavlero-tool RUNTIME DESTINATION bin)

# The data comes from wherever this build reads it, generated here or by another build.
install(DIRECTORY ${TAVLERO_DATA_DIR}/clp ${TAVLERO_DATA_DIR}/wav ${TAVLERO_DATA_DIR}/music
        DESTINATION share/tavlero)
install(FILES ${TAVLERO_DATA_DIR}/cfg/help.dat ${TAVLERO_DATA_DIR}/cfg/endgames.dat
        DESTINATION share/tavlero/cfg)

install(FILES ${tavlero_packaging}/tavlero.desktop DESTINATION share/applications)
install(DIRECTORY ${TAVLERO_ICON_DIR}/hicolor DESTINATION share/icons)
configure_file(${tavlero_packaging}/${tavlero_app_id}.metainfo.xml.in
               ${tavlero_generated}/${tavlero_app_id}.metainfo.xml @ONLY)
install(FILES ${tavlero_generated}/${tavlero_app_id}.metainfo.xml DESTINATION share/metainfo)

# Debian wants the copyright, a compressed change log and compressed manual pages;
# gzip's -n keeps the time out of each file, so every build makes the same bytes.
file(MAKE_DIRECTORY ${tavlero_generated})
function(tavlero_gzip source output)
  execute_process(COMMAND gzip -9 -n -c ${source} OUTPUT_FILE ${output} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot compress ${source}: ${result}")
  endif()
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

file(STRINGS ${tavlero_packaging}/changelog tavlero_changelog_top LIMIT_COUNT 1)
if(NOT tavlero_changelog_top MATCHES "^tavlero \\(${PROJECT_VERSION}\\) ")
  message(WARNING "packaging/changelog has no entry for version ${PROJECT_VERSION} at its top")
endif()
tavlero_gzip(${tavlero_packaging}/changelog ${tavlero_generated}/changelog.gz)
install(FILES ${tavlero_packaging}/copyright ${tavlero_generated}/changelog.gz DESTINATION share/doc/tavlero)
tavlero_gzip(${tavlero_packaging}/tavlero.6 ${tavlero_generated}/tavlero.6.gz)
tavlero_gzip(${tavlero_packaging}/tavlero-tool.1 ${tavlero_generated}/tavlero-tool.1.gz)
install(FILES ${tavlero_generated}/tavlero.6.gz DESTINATION share/man/man6)
install(FILES ${tavlero_generated}/tavlero-tool.1.gz DESTINATION share/man/man1)

# The Debian package.
set(CPACK_PACKAGE_NAME tavlero)
set(CPACK_PACKAGE_VENDOR "The Tavlero developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "nine board games against the computer or a friend")
set(CPACK_PACKAGE_CONTACT "Tavlero developers <tavlero@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAVLERO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
# CPack puts the summary above this as the description's first line.
set(CPACK_PACKAGE_DESCRIPTION "Tavlero is a collection of nine board games: five kinds of draughts (two of
them with the goal inverted), reversi, gomoku, hex and backgammon. One player
plays the computer at three levels, or two players share the machine; the
computer can also play both sides. Moves can be taken back, and every game
keeps one saved game. The texts of the game are in Russian.")
# The libraries the programs link (SDL2, SDL2_ttf, SDL2_mixer, fontconfig, libjpeg)
# are found by dpkg-shlibdeps; the fonts and the General MIDI soundfont are files the
# game opens by name, so they are listed by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, timgm6mb-soundfont")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${tavlero_packaging}/DebianLayout.cmake)
include(CPack)
