# One static library per folder of src/core, so that a folder builds and tests on its own.
# tavrin_core_module(NAME name [DEPS other modules...]) globs src/core/<name>/*.cpp.
function(tavrin_core_module)
  cmake_parse_arguments(M "" "NAME" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${M_NAME}/*.cpp)
  if(srcs)
    add_library(tavrin_core_${M_NAME} STATIC ${srcs})
    set(scope PUBLIC)
  else()
    add_library(tavrin_core_${M_NAME} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(tavrin_core_${M_NAME} ${scope} ${CMAKE_SOURCE_DIR}/src)
  foreach(dep ${M_DEPS})
    target_link_libraries(tavrin_core_${M_NAME} ${scope} tavrin_core_${dep})
  endforeach()
  set_property(GLOBAL APPEND PROPERTY TAVRIN_CORE_MODULES tavrin_core_${M_NAME})
endfunction()

# tavrin_test(NAME target DIR folder LIBS libs...) builds every *_test.cpp of tests/<folder>.
function(tavrin_test)
  cmake_parse_arguments(T "" "NAME;DIR" "LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${T_DIR}/*_test.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${T_NAME} ${srcs})
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} tavrin_test_support GTest::gtest GTest::gmock)
  target_compile_definitions(${T_NAME} PRIVATE
    TAVRIN_CORPUS_DIR="${TAVRIN_CORPUS_DIR}"
    TAVRIN_BIN_DIR="${TAVRIN_BIN_DIR}")
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${T_DIR})
endfunction()
