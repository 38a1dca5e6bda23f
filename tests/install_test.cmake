# The installed game: installs this build into a temporary prefix, validates the desktop
# entry and the AppStream metadata, and starts the installed game on a private X display
# with the build folder out of its reach. Skipped (77) when a program it needs is missing.
add_test(NAME installed_game_starts COMMAND ${PROJECT_SOURCE_DIR}/packaging/install-test.sh ${CMAKE_BINARY_DIR})
set_tests_properties(installed_game_starts PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
