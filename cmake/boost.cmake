# Boost.Regex is used header-only, from Debian's Boost headers, in both builds.
add_library(trakvel_boost INTERFACE)
if(CMAKE_CROSSCOMPILING)
  # The cross compiler must not see the host's /usr/include as a whole: give it a
  # directory that holds only a link to the Boost headers.
  set(boost_dir ${CMAKE_BINARY_DIR}/boost-include)
  file(MAKE_DIRECTORY ${boost_dir})
  file(CREATE_LINK /usr/include/boost ${boost_dir}/boost SYMBOLIC)
  target_include_directories(trakvel_boost SYSTEM INTERFACE ${boost_dir})
else()
  find_package(Boost 1.76 REQUIRED)
  target_link_libraries(trakvel_boost INTERFACE Boost::headers)
endif()
