list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Decode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LogFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LogSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LogStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NameTablesControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NameTablesSystem.cpp
  ${CMAKE_SOURCE_DIR}/msghook/RingFormat.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/LogSession.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageLogWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageLogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FilterDialog.cpp)
endif()
