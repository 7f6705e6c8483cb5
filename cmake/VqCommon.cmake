# Flags every target of the project shares: C++20, warnings as the project
# keeps them (clean), and library assertions in debug builds.
add_library(vq_common_cfg INTERFACE)
target_compile_features(vq_common_cfg INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(vq_common_cfg INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Woverloaded-virtual -Wformat=2
  $<$<CONFIG:Debug>:-D_GLIBCXX_ASSERTIONS>)
if(VQ_WERROR)
  target_compile_options(vq_common_cfg INTERFACE -Werror)
endif()

set(VQ_SANITIZE "" CACHE STRING "Sanitizers to build with: address, thread or empty")
if(VQ_SANITIZE STREQUAL "address")
  target_compile_options(vq_common_cfg INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(vq_common_cfg INTERFACE -fsanitize=address,undefined)
elseif(VQ_SANITIZE STREQUAL "thread")
  target_compile_options(vq_common_cfg INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(vq_common_cfg INTERFACE -fsanitize=thread)
endif()
