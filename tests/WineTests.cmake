# Windows test programs run under Wine in one private prefix per build tree,
# set up once (with the reference jukebox registered) and stopped at the end.
set(VANTREL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)

add_test(NAME wine.setup
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/wine-setup.sh ${VANTREL_WINE_PREFIX} $<TARGET_FILE:refjukebox>)
set_tests_properties(wine.setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)

add_test(NAME wine.cleanup
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/wine-run.sh ${VANTREL_WINE_PREFIX} --stop)
set_tests_properties(wine.cleanup PROPERTIES FIXTURES_CLEANUP wine)

# add_wine_test(<name> <target> [arguments...]): runs the target's program
# under Wine in the shared prefix.
function(add_wine_test name target)
  add_test(NAME ${name}
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/wine-run.sh ${VANTREL_WINE_PREFIX} $<TARGET_FILE:${target}> ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600)
endfunction()
