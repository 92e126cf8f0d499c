# The selectors' commands in the main window.
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/SelectorCommand.cpp)
endif()
