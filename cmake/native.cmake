# Native Linux build: the portable logic and its unit tests, under ASan and UBSan.
set(TARVISK_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(tarvisk_core PRIVATE ${TARVISK_SANITIZE})
target_link_options(tarvisk_core PUBLIC ${TARVISK_SANITIZE})

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB TARVISK_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${TARVISK_UNIT_TESTS})
target_compile_options(unit_tests PRIVATE ${TARVISK_SANITIZE})
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit)
target_link_libraries(unit_tests tarvisk_core tarvisk_test_json GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE TARVISK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(unit_tests TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60)

# Host tools that the Windows build runs at build time live here too.
if(EXISTS ${CMAKE_SOURCE_DIR}/cmake/host-tools.cmake)
  include(cmake/host-tools.cmake)
endif()
