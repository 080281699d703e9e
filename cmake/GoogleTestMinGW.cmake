# GoogleTest for the MinGW trees, compiled from the sources that Debian's
# googletest package installs.
set(KIT_GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${KIT_GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_library(kit_gtest_main INTERFACE)
target_link_libraries(kit_gtest_main INTERFACE gmock gtest_main)
