# Boxes.dll lands in Plugins\ beside Tarvisk.exe, so a fresh build lists it.
# The plug-ins that only the host tests load are built here too, into testplugins\.
function(tarvisk_plugin target output_dir)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${output_dir}
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE user32 kernel32)
endfunction()

# The x86_64 export files (*64.def) name the functions without the @N that
# __stdcall gives them in i686 only.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(def 64.def)
else()
  set(def .def)
endif()

tarvisk_plugin(Boxes ${CMAKE_BINARY_DIR}/Plugins
  ${CMAKE_CURRENT_LIST_DIR}/Boxes.cpp ${CMAKE_CURRENT_LIST_DIR}/Boxes${def} ${CMAKE_CURRENT_LIST_DIR}/Boxes.rc)

set(TARVISK_TEST_PLUGINS ${CMAKE_SOURCE_DIR}/tests/win/plugins)
tarvisk_plugin(TestPlug ${CMAKE_BINARY_DIR}/testplugins
  ${TARVISK_TEST_PLUGINS}/TestPlug.cpp ${TARVISK_TEST_PLUGINS}/TestPlug${def})
tarvisk_plugin(NamesOnly ${CMAKE_BINARY_DIR}/testplugins
  ${TARVISK_TEST_PLUGINS}/TestPlug.cpp ${TARVISK_TEST_PLUGINS}/NamesOnly${def})

# The example plug-in of the README: built and loaded by the tests.
tarvisk_plugin(Caption ${CMAKE_BINARY_DIR}/examples
  ${CMAKE_SOURCE_DIR}/examples/plugin/Caption.cpp ${CMAKE_SOURCE_DIR}/examples/plugin/Caption${def})

# win_tests is declared after this file is read; tie it to the DLLs it loads
# once the whole project is known.
function(tarvisk_plugins_before_tests)
  if(TARGET win_tests)
    add_dependencies(win_tests Boxes TestPlug NamesOnly BoxHost Caption)
  endif()
endfunction()
cmake_language(DEFER CALL tarvisk_plugins_before_tests)

# Another process's list and combo box for Boxes to read.
add_executable(BoxHost WIN32 ${TARVISK_TEST_PLUGINS}/BoxHost.cpp)
set_target_properties(BoxHost PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/testplugins)
