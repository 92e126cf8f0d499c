# The Details window's place in the main window (app/DetailsCommand.cpp).
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/DetailsCommand.cpp)
endif()
