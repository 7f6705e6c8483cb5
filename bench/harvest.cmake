add_executable(harvest_bench ${CMAKE_CURRENT_SOURCE_DIR}/harvest_bench.cpp)
target_link_libraries(harvest_bench PRIVATE vendquill_core vq_common_cfg benchmark::benchmark)
