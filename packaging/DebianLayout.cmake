# Run by CPack once the package's files are staged: a Debian package of the games
# section keeps its programs in /usr/games. The game finds its data from there just the
# same, as <its folder>/../share/tavlero.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(staged ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
  file(MAKE_DIRECTORY ${staged}/games)
  file(GLOB programs RELATIVE ${staged}/bin ${staged}/bin/*)
  foreach(program ${programs})
    file(RENAME ${staged}/bin/${program} ${staged}/games/${program})
  endforeach()
  file(REMOVE_RECURSE ${staged}/bin)
endif()
