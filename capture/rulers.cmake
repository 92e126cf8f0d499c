# The ruler bitmaps "H1".."H6" and "V1".."V6" are drawn at build time by a
# small tool built with the build machine's own compiler (not the cross
# compiler), from the same ruler description the unit tests check. The
# resource script it writes is appended to TARVISK_RESOURCES for Tarvisk.exe.
if(WIN32)
  set(ruler_dir ${CMAKE_BINARY_DIR}/rulers)
  set(ruler_tool_sources
    ${CMAKE_CURRENT_LIST_DIR}/tools/RulerGen.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Ruler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MonoImage.cpp)
  if(CMAKE_CROSSCOMPILING)
    find_program(TARVISK_HOST_CXX NAMES c++ g++ clang++ NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    set(ruler_tool ${ruler_dir}/RulerGen${CMAKE_HOST_EXECUTABLE_SUFFIX})
    add_custom_command(
      OUTPUT ${ruler_tool}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${ruler_dir}
      COMMAND ${TARVISK_HOST_CXX} -std=c++17 -O1 -I${CMAKE_SOURCE_DIR} ${ruler_tool_sources} -o ${ruler_tool}
      DEPENDS ${ruler_tool_sources} ${CMAKE_CURRENT_LIST_DIR}/Ruler.h ${CMAKE_CURRENT_LIST_DIR}/MonoImage.h
      COMMENT "Building the ruler generator with the host compiler"
      VERBATIM)
  else()
    # Built on Windows itself: the generator is an ordinary target of this build.
    add_executable(RulerGen ${ruler_tool_sources})
    target_include_directories(RulerGen PRIVATE ${CMAKE_SOURCE_DIR})
    set(ruler_tool $<TARGET_FILE:RulerGen>)
  endif()

  set(ruler_bitmaps)
  foreach(zoom 1 2 3 4 5 6)
    list(APPEND ruler_bitmaps ${ruler_dir}/H${zoom}.bmp ${ruler_dir}/V${zoom}.bmp)
  endforeach()
  add_custom_command(
    OUTPUT ${ruler_dir}/Rulers.rc ${ruler_bitmaps}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ruler_dir}
    COMMAND ${ruler_tool} ${ruler_dir}
    DEPENDS ${ruler_tool}
    COMMENT "Drawing the ruler bitmaps"
    VERBATIM)
  set_source_files_properties(${ruler_dir}/Rulers.rc PROPERTIES OBJECT_DEPENDS "${ruler_bitmaps}")
  list(APPEND TARVISK_RESOURCES ${ruler_dir}/Rulers.rc)

  # The page's Wine tests load the rulers from their own executable, as the
  # program does from Tarvisk.exe; win_tests is declared after this file.
  set(TARVISK_RULERS_RC ${ruler_dir}/Rulers.rc)
  function(tarvisk_rulers_into_tests)
    if(TARGET win_tests)
      target_sources(win_tests PRIVATE ${TARVISK_RULERS_RC})
    endif()
  endfunction()
  cmake_language(DEFER CALL tarvisk_rulers_into_tests)
endif()
