# End-to-end tests: Tarvisk.exe driven with xdotool on the test display, its
# fields read back by a driver program in another process.
add_executable(tarvisk-driver ${CMAKE_SOURCE_DIR}/tests/e2e/driver.cpp)
target_link_libraries(tarvisk-driver comctl32 winspool advapi32)

file(GLOB TARVISK_E2E_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*_test.sh)
foreach(script ${TARVISK_E2E_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e.${name} COMMAND bash ${script})
  set_tests_properties(e2e.${name} PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE
    ENVIRONMENT "TARVISK_WIN_BUILD=${CMAKE_BINARY_DIR};TARVISK_SOURCE=${CMAKE_SOURCE_DIR};TARVISK_BITS=${TARVISK_BITS}")
endforeach()
