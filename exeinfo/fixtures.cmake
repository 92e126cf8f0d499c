# Files for the Wine tests of the version reader and the module walks: libraries
# with their own version resources, copies named to clash with the host's
# executable or with each other in letter case, and the host process itself.
if(WIN32)
  set(fixtures ${CMAKE_BINARY_DIR}/exeinfo_fixtures)
  set(src ${CMAKE_CURRENT_LIST_DIR}/fixtures)
  set(exeinfo_fixture_targets)

  # target, output folder, output name (with extension), resource script or ""
  set(libraries
    "verinfo_normal|.|verinfo_normal.dll|Normal.rc"
    "verinfo_translations|.|verinfo_translations.dll|Translations.rc"
    "verinfo_notranslation|.|verinfo_notranslation.dll|NoTranslation.rc"
    "verinfo_none|.|verinfo_none.dll|"
    "exeinfo_planted|planted|EXEINFO_HOST.EXE|Normal.rc"
    "exeinfo_twin_lower|lower|twin.dll|"
    "exeinfo_twin_upper|upper|Twin.dll|")
  foreach(entry ${libraries})
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 target)
    list(GET parts 1 folder)
    list(GET parts 2 output)
    list(GET parts 3 rc)
    set(sources ${src}/Empty.c)
    if(rc)
      list(APPEND sources ${src}/${rc})
    endif()
    add_library(${target} MODULE ${sources})
    string(REGEX REPLACE "\\.[^.]*$" "" base "${output}")
    string(REGEX MATCH "\\.[^.]*$" suffix "${output}")
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${base} SUFFIX ${suffix}
                          LIBRARY_OUTPUT_DIRECTORY ${fixtures}/${folder})
    list(APPEND exeinfo_fixture_targets ${target})
  endforeach()

  add_executable(exeinfo_host ${src}/Host.c)
  set_target_properties(exeinfo_host PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${fixtures})
  list(APPEND exeinfo_fixture_targets exeinfo_host)

  # win_tests is declared after the subsystem lists are read.
  function(exeinfo_attach_fixtures)
    if(TARGET win_tests)
      add_dependencies(win_tests ${ARGN})
    endif()
  endfunction()
  cmake_language(DEFER CALL exeinfo_attach_fixtures ${exeinfo_fixture_targets})
endif()
