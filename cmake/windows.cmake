# Windows build (MinGW-w64, i686 or x86_64): Tarvisk.exe, the plug-ins, and the
# tests that run under Wine through the emulator wrapper.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TARVISK_BITS 64)
  set(TARVISK_RELEASE_NAME x64)
  # Debian's wine wrapper always picks the 32-bit loader when it is installed,
  # and that loader cannot start at all where the kernel refuses 32-bit programs.
  set(TARVISK_WINE_LOADER /usr/lib/wine/wine64)
else()
  set(TARVISK_BITS 32)
  set(TARVISK_RELEASE_NAME win32)
  set(TARVISK_WINE_LOADER wine)
endif()
if(CMAKE_CROSSCOMPILING)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

if(MINGW)
  # Release binaries carry no symbols, and nothing but the system's DLLs is needed beside them.
  string(APPEND CMAKE_EXE_LINKER_FLAGS_RELEASE " -s")
  string(APPEND CMAKE_SHARED_LINKER_FLAGS_RELEASE " -s")
  add_link_options(-static)
elseif(MSVC)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 NOMINMAX)

if(TARVISK_WIN_SOURCES)
  add_library(tarvisk_win STATIC ${TARVISK_WIN_SOURCES})
  set(scope PUBLIC)
else()
  add_library(tarvisk_win INTERFACE)
  set(scope INTERFACE)
endif()
target_link_libraries(tarvisk_win ${scope} tarvisk_core comctl32 comdlg32 gdi32 user32 shell32
                      advapi32 version winspool psapi)

if(EXISTS ${CMAKE_SOURCE_DIR}/app/Main.cpp)
  add_executable(Tarvisk WIN32 app/Main.cpp app/Tarvisk.rc ${TARVISK_RESOURCES})
  target_link_libraries(Tarvisk tarvisk_win)
  if(MINGW)
    target_link_options(Tarvisk PRIVATE "$<$<CONFIG:Release>:-Wl,--gc-sections>")
  endif()
  # License.txt stands beside the program: the About page opens it by its bare name.
  add_custom_command(TARGET Tarvisk POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/License.txt ${CMAKE_BINARY_DIR}/License.txt)
  set_property(SOURCE app/Tarvisk.rc APPEND PROPERTY OBJECT_DEPENDS
    ${CMAKE_SOURCE_DIR}/app/Tarvisk.manifest ${CMAKE_SOURCE_DIR}/app/Tarvisk64.manifest
    ${CMAKE_SOURCE_DIR}/app/Tarvisk.ico)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/boxes/build.cmake)
  include(boxes/build.cmake)
endif()
# The message log's hook DLL beside Tarvisk.exe, and its fixture for the tests.
include(msghook/build.cmake)
include(tests/win/fixtures/build.cmake)
if(TARGET Tarvisk)
  add_dependencies(Tarvisk TarviskHook)
endif()

# GoogleTest: Debian's sources when cross building, a downloaded or installed
# copy (GTEST_ROOT / find_package) on Windows; without it only the program builds.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    message(STATUS "GoogleTest not found: building the program and plug-ins only")
    return()
  endif()
  add_library(gtest ALIAS GTest::gtest)
  add_library(gtest_main ALIAS GTest::gtest_main)
endif()
include(GoogleTest)

file(GLOB TARVISK_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*_test.cpp)
file(GLOB TARVISK_WIN_TEST_HELPERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/support/*.cpp)
add_executable(win_tests ${TARVISK_WIN_TESTS} ${TARVISK_WIN_TEST_HELPERS})
target_include_directories(win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/win)
target_link_libraries(win_tests tarvisk_win tarvisk_test_json gtest gtest_main)
target_compile_definitions(win_tests PRIVATE TARVISK_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(win_tests TarviskHook LogFixture ScriptsFixture ActFixture SelectorFixture DetailsFixture SnapshotFixture
                 EventsFixture ProcessesFixture)
# Discovery runs at test time, when the test script has the Wine prefix and display ready.
gtest_discover_tests(win_tests TEST_PREFIX "win." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                     PROPERTIES TIMEOUT 120)

# The soak takes minutes; one build runs it, the one every machine here can start.
if(TARVISK_BITS EQUAL 64)
  include(tests/soak/build.cmake)
endif()
include(tests/static/build.cmake)
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/build.cmake)
  include(tests/e2e/build.cmake)
endif()
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/build.cmake)
  include(bench/build.cmake)
endif()

# The release layout, zipped: Tarvisk.exe, TarviskHook.dll, Plugins\Boxes.dll, License.txt.
if(TARGET Tarvisk AND TARGET Boxes)
  set(release_dir ${CMAKE_BINARY_DIR}/release/Tarvisk)
  set(release_zip ${CMAKE_BINARY_DIR}/Tarvisk-5.3-${TARVISK_RELEASE_NAME}.zip)
  add_custom_target(release
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/release
    COMMAND ${CMAKE_COMMAND} -E make_directory ${release_dir}/Plugins
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Tarvisk> $<TARGET_FILE:TarviskHook> ${release_dir}/
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Boxes> ${release_dir}/Plugins/
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/License.txt ${release_dir}/
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/release
            ${CMAKE_COMMAND} -E tar cf ${release_zip} --format=zip Tarvisk
    COMMAND ${CMAKE_COMMAND} -E echo "Release: ${release_zip}"
    DEPENDS Tarvisk Boxes TarviskHook
    VERBATIM)
endif()
