# TarviskHook.dll: the message log's hook procedures, loaded into the logged
# program. Beside Tarvisk.exe; small, no exceptions, the C++ runtime unused.
add_library(TarviskHook SHARED
  ${CMAKE_CURRENT_LIST_DIR}/MsgHook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TarviskHook.rc
  ${CMAKE_SOURCE_DIR}/msghook/RingFormat.cpp)
set_target_properties(TarviskHook PROPERTIES
  PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
  ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
target_include_directories(TarviskHook PRIVATE ${CMAKE_SOURCE_DIR})
if(MINGW)
  target_compile_options(TarviskHook PRIVATE -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
endif()
target_link_libraries(TarviskHook PRIVATE user32 kernel32)
