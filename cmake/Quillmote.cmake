# One static library per folder: every .cpp below the folder belongs to it,
# so adding a unit never means editing a build file. EXCLUDE (a regular
# expression) leaves out a subfolder that is a library of its own.
function(quillmote_library name dir)
  cmake_parse_arguments(L "" "EXCLUDE" "" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(L_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${L_EXCLUDE}")
  endif()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_UNPARSED_ARGUMENTS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_UNPARSED_ARGUMENTS})
  endif()
endfunction()

# One GoogleTest executable per folder of tests/. A GUI test executable runs
# twice under CTest: with the theme library active and without it.
function(quillmote_test_executable name dir)
  cmake_parse_arguments(T "GUI" "EXCLUDE" "LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(T_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${T_EXCLUDE}")
  endif()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE quillmote_testmain ${T_LIBS})
  target_compile_definitions(${name} PRIVATE QUILLMOTE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set(env "QT_QPA_PLATFORM=offscreen;QUILLMOTE_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 120
                       PROPERTIES ENVIRONMENT "${env}")
  if(T_GUI)
    gtest_discover_tests(${name} TEST_PREFIX "${name}.nothemes." DISCOVERY_TIMEOUT 120
                         PROPERTIES ENVIRONMENT "${env};QUILLMOTE_NO_THEME=1")
  endif()
endfunction()
