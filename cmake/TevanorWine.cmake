# Windows programs built here run under Wine through scripts/wine-session. Every test that runs
# a Windows program needs the fixture "wine", which starts a private session (own WINEPREFIX,
# Xvfb when there is no display) before the first such test and stops it after the last.
set(TEVANOR_WINE_STATE ${CMAKE_BINARY_DIR}/wine-session)
set(TEVANOR_WINE_SESSION ${CMAKE_SOURCE_DIR}/scripts/wine-session)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TEVANOR_WINE_SESSION} run ${TEVANOR_WINE_STATE})

# tevanor_add_wine_session(NAME STATE_DIR [properties...]): the CTest fixture NAME, a Wine
# session in STATE_DIR started before the first test that requires it and stopped after the
# last.
function(tevanor_add_wine_session name state)
  add_test(NAME ${name}.session.start COMMAND ${TEVANOR_WINE_SESSION} start ${state})
  add_test(NAME ${name}.session.stop COMMAND ${TEVANOR_WINE_SESSION} stop ${state})
  set_tests_properties(${name}.session.start PROPERTIES FIXTURES_SETUP ${name} ${ARGN})
  set_tests_properties(${name}.session.stop PROPERTIES FIXTURES_CLEANUP ${name} ${ARGN})
endfunction()

tevanor_add_wine_session(wine ${TEVANOR_WINE_STATE})

# tevanor_add_wine_gtest(target [ARGS...]): runs a GoogleTest program under Wine; CTest shows
# its result and the log holds GoogleTest's own report. A JUnit report lands in test-reports/.
function(tevanor_add_wine_gtest target)
  add_test(NAME ${target}
    COMMAND ${target} --gtest_output=xml:Z:${CMAKE_BINARY_DIR}/test-reports/${target}.xml ${ARGN})
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
endfunction()
