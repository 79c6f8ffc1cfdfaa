# The about box, the System Information launcher and what they need of the platform.
target_sources(melodex_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp
)
target_sources(melodex_memory PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/../../platform/memory/InMemoryProcesses.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../../platform/memory/InMemoryRegistry.cpp
)
if(WIN32)
  target_sources(melodex_win32 PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../../platform/win32/Win32Processes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../platform/win32/Win32Registry.cpp
  )
endif()
