# Selectors: the notations that find a window again, their grammar and their
# resolution over the window seam are portable; the executables' names come
# from the system.
list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SelectorGrammar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DesktopSelectors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelectorLabels.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SystemSelectors.cpp)
endif()
