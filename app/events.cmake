# The Events window's place in the main window (app/EventsCommand.cpp).
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/EventsCommand.cpp)
endif()
