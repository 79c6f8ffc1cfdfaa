# Tests of the about box, the System Information launcher and the hidden messages.
target_sources(melodex_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AboutBoxTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HiddenMessagesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SysInfoTest.cpp
)

if(WIN32)
  # The program the Windows tests start: it leaves a marker file beside itself. It is built
  # next to the test program, which finds it there.
  add_executable(sysinfo_probe WIN32 ${CMAKE_CURRENT_LIST_DIR}/../support/stand_in.cpp)
  add_dependencies(melodex_win32_tests sysinfo_probe)

  target_sources(melodex_win32_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Win32SysInfoTest.cpp
  )
  # The launcher test drives the about box with message boxes answered from a script.
  target_link_libraries(melodex_win32_tests PRIVATE melodex_memory)
endif()
