list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ModifyRules.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowModifyHost.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModifyPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModifyPlugins.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModifyPrompts.cpp)
endif()
