# The soak test: long, so it is a test of its own with its own time limit.
add_executable(soak_test ${CMAKE_SOURCE_DIR}/tests/soak/soak.cpp)
target_link_libraries(soak_test tarvisk_win)
add_test(NAME win.soak COMMAND soak_test)
set_tests_properties(win.soak PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE)
