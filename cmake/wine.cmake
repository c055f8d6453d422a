# Test programs of the Windows build run under Wine, in one prefix per build tree
# that a fixture prepares before the first of them and shuts down after the last.
set(TRAKVEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
               GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

add_test(NAME wine_start COMMAND ${CMAKE_BINARY_DIR}/wine-run.sh --start)
add_test(NAME wine_stop COMMAND ${CMAKE_BINARY_DIR}/wine-run.sh --stop)
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
