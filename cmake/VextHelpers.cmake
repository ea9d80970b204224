# One way to declare every library, program, test and benchmark of the suite.

# vext_exports(NAME)
# The export contract of library NAME, written down once in
# <folder>/<NAME>.exports: one entry a line, either a symbol by its exact
# (mangled or C) name, or "C++ <pattern>" for the demangled names a glob
# covers (the linker's extern "C++" patterns, * and ?; a pattern with any
# other character, such as "vtable for CFile", is one name matched exactly;
# use patterns for whole classes of the platform, exact names elsewhere). "#" starts a
# comment. The linker exports exactly these (a version script made from the
# file), and the test <NAME>_exports checks the built library against the
# file and resolves every name after loading it, as a host would.
function(vext_exports name)
  set(exports ${CMAKE_CURRENT_SOURCE_DIR}/${name}.exports)
  if(NOT EXISTS ${exports})
    message(FATAL_ERROR "${name}: ${exports} is missing; every library writes down what it exports")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${exports})
  file(STRINGS ${exports} lines)
  set(globals "")
  set(cxx "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "#.*$" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "")
      continue()
    elseif(line MATCHES "^C\\+\\+ ([*?_A-Za-z0-9:]+)$")
      string(APPEND cxx "      ${CMAKE_MATCH_1};\n")
    elseif(line MATCHES "^C\\+\\+ (.*)$")
      # Blanks, parentheses and the like: one demangled name, matched exactly.
      string(APPEND cxx "      \"${CMAKE_MATCH_1}\";\n")
    else()
      string(APPEND globals "    ${line};\n")
    endif()
  endforeach()
  if(NOT cxx STREQUAL "")
    set(cxx "    extern \"C++\" {\n${cxx}    };\n")
  endif()
  set(map ${CMAKE_CURRENT_BINARY_DIR}/${name}.map)
  file(WRITE ${map} "{\n  global:\n${globals}${cxx}  local: *;\n};\n")
  target_link_options(${name} PRIVATE "LINKER:--version-script=${map}")
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${map})
  if(VEXT_TESTS)
    add_test(NAME ${name}_exports
      COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-exports.sh
        $<TARGET_FILE:${name}> ${exports} $<TARGET_FILE:vext_resolve_exports>)
  endif()
endfunction()

# vext_library(NAME HEADERS <public headers> SOURCES ... LINKS ... PRIVATE_LINKS ...
#              [HEADER_PREFIX <folder>])
# A shared library with hidden visibility that exports what its
# <NAME>.exports names (vext_exports). LINKS reach the library's users,
# PRIVATE_LINKS only the library; every library but the platform itself
# links VextPlatform. The public headers are installed under
# include/vext/, keeping their folders relative to the library's folder.
# With HEADER_PREFIX p (the library's folder is then named p), code
# includes the headers as "p/<path>" and they install under
# include/vext/p/; without it they are included by their bare names.
function(vext_library name)
  cmake_parse_arguments(A "" "HEADER_PREFIX" "HEADERS;SOURCES;LINKS;PRIVATE_LINKS" ${ARGN})
  add_library(${name} SHARED ${A_SOURCES})
  set_target_properties(${name} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})
  set(include_root ${CMAKE_CURRENT_SOURCE_DIR})
  set(header_destination ${VEXT_INCLUDE_INSTALL_DIR})
  if(A_HEADER_PREFIX)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    if(NOT folder STREQUAL A_HEADER_PREFIX)
      message(FATAL_ERROR "${name}: HEADER_PREFIX ${A_HEADER_PREFIX} must be the library's folder name")
    endif()
    get_filename_component(include_root ${CMAKE_CURRENT_SOURCE_DIR} DIRECTORY)
    string(APPEND header_destination /${A_HEADER_PREFIX})
  endif()
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${include_root}>
    $<INSTALL_INTERFACE:${VEXT_INCLUDE_INSTALL_DIR}>)
  if(NOT name STREQUAL "VextPlatform")
    target_link_libraries(${name} PUBLIC VextPlatform)
  endif()
  target_link_libraries(${name} PUBLIC ${A_LINKS} PRIVATE ${A_PRIVATE_LINKS})
  vext_exports(${name})
  install(TARGETS ${name} EXPORT VextTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  foreach(header IN LISTS A_HEADERS)
    get_filename_component(subfolder ${header} DIRECTORY)
    install(FILES ${header} DESTINATION ${header_destination}/${subfolder})
  endforeach()
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
