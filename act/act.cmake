# Acting on the target: which call changes which style bit, which messages may
# be sent, portable; the calls themselves and the two dialogs, Win32.
list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MessageRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StyleChange.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SendMessageDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StyleEditor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TargetActions.cpp)
endif()
