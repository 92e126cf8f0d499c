# The details of a window: their rendering is portable; the Details window
# and its settings' store are Win32.
list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CapabilityGroups.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailsGroups.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailsJson.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailsRows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailsSettings.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DetailsWindow.cpp)
endif()
