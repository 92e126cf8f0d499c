# The command-line mode: argument parsing and the run over the window seam are
# portable; the console, the settings and the system's sources are Win32.
list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CliAct.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CliEvents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CliArgs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CliRun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CliSnapshotArgs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CliSnapshot.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/CliMain.cpp ${CMAKE_CURRENT_LIST_DIR}/CliActMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CliSnapshotMain.cpp ${CMAKE_CURRENT_LIST_DIR}/CliEventsMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CliProcessesMain.cpp)
endif()
