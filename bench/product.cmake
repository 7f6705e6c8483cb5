# CPU time of the product page, attribute, price and SKU parsing on a page
# of a real detail page's size, served once by the stand-in marketplace.
add_executable(product_bench ${CMAKE_CURRENT_SOURCE_DIR}/product_bench.cpp)
target_link_libraries(product_bench PRIVATE vendquill_core vq_marketplace vq_common_cfg benchmark::benchmark)
