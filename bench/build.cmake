# Benchmarks, run under Wine with scripts/bench.sh; each prints its figures.
add_executable(inspect_bench ${CMAKE_SOURCE_DIR}/bench/inspect_bench.cpp)
target_link_libraries(inspect_bench tarvisk_win)

add_executable(minimal_window WIN32 ${CMAKE_SOURCE_DIR}/bench/minimal_window.cpp)
add_executable(tabbed_floor WIN32 ${CMAKE_SOURCE_DIR}/bench/tabbed_floor.cpp ${CMAKE_SOURCE_DIR}/bench/tabbed_floor.rc)
target_link_libraries(tabbed_floor comctl32)
# windres finds the manifest the resource script names in the include folders.
target_include_directories(tabbed_floor PRIVATE ${CMAKE_SOURCE_DIR}/app)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/bench/tabbed_floor.rc APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_SOURCE_DIR}/app/Tarvisk.manifest ${CMAKE_SOURCE_DIR}/app/Tarvisk64.manifest)
add_executable(startup_bench ${CMAKE_SOURCE_DIR}/bench/startup_bench.cpp)
target_link_libraries(startup_bench tarvisk_win psapi advapi32)
target_include_directories(startup_bench PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(startup_bench Tarvisk minimal_window tabbed_floor Boxes)

add_executable(relations_wine_bench ${CMAKE_SOURCE_DIR}/bench/relations_wine_bench.cpp
               ${CMAKE_SOURCE_DIR}/bench/relations_bench.cpp)
target_compile_definitions(relations_wine_bench PRIVATE TARVISK_RELATIONS_BENCH_NO_MAIN)
target_link_libraries(relations_wine_bench tarvisk_win)

add_executable(msglog_bench ${CMAKE_SOURCE_DIR}/bench/msglog_bench.cpp)
target_link_libraries(msglog_bench tarvisk_win)
add_dependencies(msglog_bench TarviskHook LogFixture)

add_executable(selectors_bench ${CMAKE_SOURCE_DIR}/bench/selectors_bench.cpp)
target_link_libraries(selectors_bench tarvisk_win)
target_include_directories(selectors_bench PRIVATE ${CMAKE_SOURCE_DIR})
add_executable(snapshot_bench ${CMAKE_SOURCE_DIR}/bench/snapshot_bench.cpp)
target_link_libraries(snapshot_bench tarvisk_win psapi)
# The window events' cost: a program churning windows, an idle desktop, /wait's answer.
add_executable(event_churn WIN32 ${CMAKE_SOURCE_DIR}/bench/event_churn.cpp)
add_executable(events_bench ${CMAKE_SOURCE_DIR}/bench/events_bench.cpp)
target_include_directories(events_bench PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(events_bench Tarvisk event_churn)
# The Processes window on 5,000 windows in 20 processes of 50 threads.
add_executable(processes_bench ${CMAKE_SOURCE_DIR}/bench/processes_bench.cpp)
target_link_libraries(processes_bench tarvisk_win)
target_include_directories(processes_bench PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/bench)
