# vornik_layer(NAME DEPS...): one static library from every source in the calling folder.
function(vornik_layer name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  # tools/ holds the mains of a layer's helper programs.
  list(FILTER sources EXCLUDE REGEX "/tools/")
  if(NOT sources)
    # A layer with no code yet is still a target, so the ones below can name it.
    add_library(vornik_${name} INTERFACE)
    target_include_directories(vornik_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vornik_${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(vornik_${name} STATIC ${sources})
  target_include_directories(vornik_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(vornik_${name} PUBLIC ${ARGN})
endfunction()

# vornik_test_suite(NAME LIBS...): one GoogleTest executable from every .cpp in the calling folder.
function(vornik_test_suite name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_link_libraries(test_${name} PRIVATE ${ARGN} vornik_testsupport GTest::gtest)
  target_compile_definitions(test_${name} PRIVATE VORNIK_CORPUS_DIR="${VORNIK_CORPUS_DIR}")
  # Tests that draw SVG start the renderer of the build tree.
  if(TARGET vornik-svg-render)
    add_dependencies(test_${name} vornik-svg-render)
  endif()
  gtest_discover_tests(test_${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 600)
endfunction()
