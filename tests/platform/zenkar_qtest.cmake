# zenkar_qtest(name sources...): a Qt Test program run by CTest on Qt's
# offscreen platform, with a time-out so that a dialog nobody answers
# cannot hang the run.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Test)

function(zenkar_qtest name)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  target_link_libraries(${name} PRIVATE Qt6::Test zenkar_test_support)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTEST_FUNCTION_TIMEOUT=60000")
endfunction()
