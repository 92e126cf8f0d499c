list(APPEND TARVISK_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HotKeyValue.cpp)
if(WIN32)
  list(APPEND TARVISK_WIN_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ActCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FrameFeatureList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FrameFeatures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InformationFields.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Inspect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageLogCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowHosts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Nag.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OptionsPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AboutPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Probing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProcessesCommand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReportCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsBinding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SnapshotCommand.cpp)
endif()
