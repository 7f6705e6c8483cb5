# Request throughput of the web client against the stand-in marketplace.
add_executable(web_bench ${CMAKE_CURRENT_SOURCE_DIR}/web_bench.cpp)
target_link_libraries(web_bench PRIVATE vendquill_core vq_marketplace vq_common_cfg benchmark::benchmark)
