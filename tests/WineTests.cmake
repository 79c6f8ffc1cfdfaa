# Under Wine every process start costs time, so each test program is one CTest test. A
# fixture starts the X display, the Wine prefix and a persistent wineserver once for all of
# them (and a second prefix at 144 dpi for the tests that need one).
set(WINE_SESSION ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh)

add_test(NAME wine_session_start COMMAND ${WINE_SESSION} start ${CMAKE_BINARY_DIR})
add_test(NAME wine_session_stop COMMAND ${WINE_SESSION} stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)

function(melodex_wine_test target)
  add_test(NAME ${target} COMMAND ${target} ${ARGN})
  set_tests_properties(${target} PROPERTIES
    FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_display
    ENVIRONMENT "MELODEX_BUILD_DIR=${CMAKE_BINARY_DIR}"
    TIMEOUT 600)
endfunction()

melodex_wine_test(melodex_tests)
