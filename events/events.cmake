# The recorder of window events: the model, its comparison, the store, the
# filters and the written forms are portable; the system's announcements,
# the session and the Events window are Win32.
list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/EventFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EventRecorder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EventSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EventStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowEvent.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EventSession.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EventsWindow.cpp)
endif()
