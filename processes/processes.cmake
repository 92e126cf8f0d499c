# Processes and threads: the model is portable; the system's source, the
# window and the hung check are Win32.
list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ProcessModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProcessJson.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SystemProcessSource.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProcessesWindow.cpp)
endif()
