add_executable(collect_bench ${CMAKE_CURRENT_SOURCE_DIR}/collect_bench.cpp)
target_link_libraries(collect_bench PRIVATE vendquill_core vq_marketplace vq_common_cfg benchmark::benchmark)
