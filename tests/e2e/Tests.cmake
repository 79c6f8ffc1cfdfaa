# End-to-end: the real melodex.exe started and used from outside, as a person would, under
# Wine on the test display. The driver links none of the program's code.
add_library(melodex_e2e_driver STATIC
  ${CMAKE_CURRENT_LIST_DIR}/driver/Boxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver/Files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver/Keyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver/Mouse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver/Process.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver/Waiting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/driver/Windows.cpp
)
target_include_directories(melodex_e2e_driver PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(melodex_e2e_driver PUBLIC melodex_test_support user32 gdi32)

# Maps a drive letter of the test prefix to a Unix folder, for the fault scenarios.
add_executable(melodex_e2e_map_drive ${CMAKE_CURRENT_LIST_DIR}/map_drive.cpp)

# Stands in for the System Information tool: leaves a marker file when it runs.
add_executable(melodex_e2e_stand_in WIN32 ${CMAKE_CURRENT_LIST_DIR}/stand_in.cpp)

add_executable(melodex_e2e
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Expected.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Melodex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Scenario.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AboutBoxScenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColourChooserScenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FaultScenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FolderPickerScenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpWindowScenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowScenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageBoxScenarios.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MonkeyScenario.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WholeRoadScenarios.cpp
)
target_link_libraries(melodex_e2e PRIVATE melodex_e2e_driver melodex_test_support advapi32
                      GTest::gtest)
add_dependencies(melodex_e2e melodex melodex_e2e_stand_in melodex_e2e_map_drive)

set(MELODEX_E2E_ENVIRONMENT
  "MELODEX_BUILD_DIR=${CMAKE_BINARY_DIR}"
  "MELODEX_E2E_EXE=$<TARGET_FILE:melodex>"
  "MELODEX_E2E_STAND_IN=$<TARGET_FILE:melodex_e2e_stand_in>")

# The clock of the end-to-end part: started before its first test, read after its last.
set(MELODEX_E2E_CLOCK ${CMAKE_CURRENT_LIST_DIR}/clock.sh)
add_test(NAME e2e_clock_start COMMAND ${MELODEX_E2E_CLOCK} start ${CMAKE_BINARY_DIR})
add_test(NAME e2e_clock_stop COMMAND ${MELODEX_E2E_CLOCK} stop ${CMAKE_BINARY_DIR})
# Inside the Wine session's fixture, so that the stop comes right after the part's last test.
set_tests_properties(e2e_clock_start PROPERTIES FIXTURES_SETUP e2e_clock FIXTURES_REQUIRED wine)
set_tests_properties(e2e_clock_stop PROPERTIES FIXTURES_CLEANUP e2e_clock FIXTURES_REQUIRED wine)

# One CTest test per window's scenarios.
foreach(suite MainWindow FolderPicker ColourChooser HelpWindow AboutBox MessageBoxes WholeRoad
              PageFaults Monkey)
  add_test(NAME e2e_${suite} COMMAND melodex_e2e --gtest_filter=${suite}.*)
  set_tests_properties(e2e_${suite} PROPERTIES
    FIXTURES_REQUIRED "wine;e2e_clock"
    RESOURCE_LOCK wine_display
    ENVIRONMENT "${MELODEX_E2E_ENVIRONMENT}"
    TIMEOUT 900)
endforeach()

# Faults of real file systems, each prepared on the Linux side by faults.sh (a tmpfs mounted
# for the test and mapped to a drive letter of the test prefix) and taken down again. A
# machine that refuses the mount skips the test.
foreach(fault disk-full read-only removed-output drive-gone)
  add_test(NAME e2e_fault_${fault}
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/faults.sh ${fault} ${CMAKE_BINARY_DIR}
                   $<TARGET_FILE:melodex_e2e> $<TARGET_FILE:melodex_e2e_map_drive>)
  set_tests_properties(e2e_fault_${fault} PROPERTIES
    FIXTURES_REQUIRED "wine;e2e_clock"
    RESOURCE_LOCK wine_display
    ENVIRONMENT "${MELODEX_E2E_ENVIRONMENT}"
    SKIP_RETURN_CODE 77
    SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]"
    TIMEOUT 600)
endforeach()
