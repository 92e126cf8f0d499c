# Snapshots of the window tree and their differences: the walk, the file's
# writer and reader and the comparison are portable; the system's header facts,
# process names and the file are Win32.
list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SnapshotWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapshotReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapshotDiff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SnapshotDiffOutput.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/DesktopSnapshot.cpp)
endif()
