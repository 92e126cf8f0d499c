list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CaptureMath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MonoImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Ruler.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CaptureBitmap.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GraphicsPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImageControl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowHost.cpp)
endif()
