# The Win32 side of the window relations: the Parents, Children, Digger and
# Tree pages and the Find Window dialog.
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/RelationControls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RelationPages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TreePage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FindWindowDialog.cpp)
endif()
