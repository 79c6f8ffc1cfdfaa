# Under Wine every process start costs time, so each test program is one CTest test. A
# fixture starts the X display, the Wine prefix and a persistent wineserver once for all of
# them (and a second prefix at 144 dpi for the tests that need one).
set(WINE_SESSION ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh)

add_test(NAME wine_session_start COMMAND ${WINE_SESSION} start ${CMAKE_BINARY_DIR})
add_test(NAME wine_session_stop COMMAND ${WINE_SESSION} stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)

# The same, with the screen at 144 dpi (LogPixels in a prefix of its own).
add_test(NAME wine_session_start_144dpi
         COMMAND ${WINE_SESSION} start ${CMAKE_BINARY_DIR} wineprefix-144dpi 144)
add_test(NAME wine_session_stop_144dpi
         COMMAND ${WINE_SESSION} stop ${CMAKE_BINARY_DIR} wineprefix-144dpi)
set_tests_properties(wine_session_start_144dpi PROPERTIES FIXTURES_SETUP wine144 TIMEOUT 300)
set_tests_properties(wine_session_stop_144dpi PROPERTIES FIXTURES_CLEANUP wine144)

function(melodex_wine_test target)
  add_test(NAME ${target} COMMAND ${target} ${ARGN})
  set_tests_properties(${target} PROPERTIES
    FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_display
    ENVIRONMENT "MELODEX_BUILD_DIR=${CMAKE_BINARY_DIR};MELODEX_EXPECT_DPI=96"
    TIMEOUT 600)
endfunction()

# A test program that shows windows runs once at 96 and once at 144 dpi.
function(melodex_wine_ui_test target)
  melodex_wine_test(${target})
  add_test(NAME ${target}_144dpi COMMAND ${target} ${ARGN})
  set_tests_properties(${target}_144dpi PROPERTIES
    FIXTURES_REQUIRED wine144
    RESOURCE_LOCK wine_display
    ENVIRONMENT
      "MELODEX_BUILD_DIR=${CMAKE_BINARY_DIR};MELODEX_WINE_SESSION=wineprefix-144dpi;MELODEX_EXPECT_DPI=144"
    TIMEOUT 600)
endfunction()

melodex_wine_test(melodex_tests)

# Two more prefixes, at 96 and at 144 dpi, whose message font is larger than Wine's (16 pixels
# at 96 dpi where Wine's is 11), for the tests of what must not follow the font.
set(MELODEX_LARGE_FONT 16)
foreach(dpi 96 144)
  add_test(NAME wine_session_start_font_${dpi}dpi
           COMMAND ${WINE_SESSION} start ${CMAKE_BINARY_DIR} wineprefix-font-${dpi}dpi ${dpi}
                   ${MELODEX_LARGE_FONT})
  add_test(NAME wine_session_stop_font_${dpi}dpi
           COMMAND ${WINE_SESSION} stop ${CMAKE_BINARY_DIR} wineprefix-font-${dpi}dpi)
  set_tests_properties(wine_session_start_font_${dpi}dpi PROPERTIES
    FIXTURES_SETUP wine_font${dpi} TIMEOUT 300)
  set_tests_properties(wine_session_stop_font_${dpi}dpi PROPERTIES
    FIXTURES_CLEANUP wine_font${dpi})
endforeach()

# The tests of a UI test program that `filter` picks, once more at each DPI under the larger
# font.
function(melodex_wine_font_test target filter)
  foreach(dpi 96 144)
    add_test(NAME ${target}_font_${dpi}dpi COMMAND ${target} --gtest_filter=${filter})
    set_tests_properties(${target}_font_${dpi}dpi PROPERTIES
      FIXTURES_REQUIRED wine_font${dpi}
      RESOURCE_LOCK wine_display
      ENVIRONMENT
        "MELODEX_BUILD_DIR=${CMAKE_BINARY_DIR};MELODEX_WINE_SESSION=wineprefix-font-${dpi}dpi;MELODEX_EXPECT_DPI=${dpi};MELODEX_EXPECT_MESSAGE_FONT=${MELODEX_LARGE_FONT}"
      TIMEOUT 600)
  endforeach()
endfunction()
