# The details of a window: the facts and their rendering are portable; the
# reader, the Details window and its settings' store are Win32.
list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CapabilityGroups.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailsGroups.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailsJson.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailsRows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailsSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DetailsText.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DetailsReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DetailsWindow.cpp)
endif()
