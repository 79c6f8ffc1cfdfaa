# The folder picker, the colour chooser and the help window.
target_sources(melodex_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Form2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form3.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form4.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HandOver.cpp
  # The drive and directory lists the folder picker is made of.
  ${CMAKE_CURRENT_LIST_DIR}/../model/Lists.cpp
)
