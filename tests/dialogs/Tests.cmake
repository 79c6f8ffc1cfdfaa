# Tests of the folder picker, the colour chooser and the help window.
target_sources(melodex_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ColourChooserTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FolderPickerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListsTest.cpp
)
