# One way to declare every library, program, test and benchmark of the suite.

# vext_library(NAME HEADER <public header> SOURCES ... LINKS ...)
# A shared library with hidden visibility: only what the library's export
# macro marks leaves it. The public header is installed flat.
function(vext_library name)
  cmake_parse_arguments(A "" "" "HEADERS;SOURCES;LINKS" ${ARGN})
  add_library(${name} SHARED ${A_SOURCES})
  set_target_properties(${name} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${VEXT_INCLUDE_INSTALL_DIR}>)
  target_link_libraries(${name} PUBLIC VextPlatform ${A_LINKS})
  install(TARGETS ${name} EXPORT VextTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES ${A_HEADERS} DESTINATION ${VEXT_INCLUDE_INSTALL_DIR})
  set_property(GLOBAL APPEND PROPERTY VEXT_LIBRARIES ${name})
endfunction()

# vext_test(NAME SOURCES ... LINKS ... [ENVIRONMENT ...])
# A GoogleTest program registered as one CTest test.
function(vext_test name)
  if(NOT VEXT_TESTS)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LINKS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LINKS} GTest::gmock GTest::gtest_main Threads::Threads)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/testing)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "VEXT_TEST_BINARY_DIR=${PROJECT_BINARY_DIR};VEXT_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR};${A_ENVIRONMENT}"
    TIMEOUT 300)
endfunction()

# vext_benchmark(NAME SOURCES ... LINKS ...)
# Benchmarks are built with the rest but run only by hand or by scripts/bench.
function(vext_benchmark name)
  if(NOT VEXT_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(A "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LINKS} Threads::Threads)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/testing)
endfunction()
