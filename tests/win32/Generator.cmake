# Page generation on the real file system: the page's bytes, the search and its failures.
target_sources(melodex_win32_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/GeneratorWin32Test.cpp)
# The scripted message and input boxes record what a run tells the user.
target_link_libraries(melodex_win32_tests PRIVATE melodex_memory)
