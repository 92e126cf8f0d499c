# The one JSON writer and reader of every document the program writes and reads.
list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/JsonCursor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JsonWriter.cpp)
