include(${CMAKE_CURRENT_LIST_DIR}/VmrResources.cmake)

# One static library per layer from every source file in its folder (host back ends excluded by the caller).
# A Release layer is compiled for size: most of the program's code runs once or rarely, and start-up maps less
# of a smaller program. FOR_SPEED keeps the layers whose loops draw every pixel compiled for speed.
function(vmr_layer name)
  cmake_parse_arguments(L "FOR_SPEED" "" "EXCLUDE;DEPENDS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(pattern IN LISTS L_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${pattern}")
  endforeach()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(L_FOR_SPEED)
    target_compile_options(${name} PRIVATE $<$<CONFIG:Release>:-O2>)
  else()
    target_compile_options(${name} PRIVATE $<$<CONFIG:Release>:-Os>)
  endif()
  if(L_DEPENDS)
    target_link_libraries(${name} PUBLIC ${L_DEPENDS})
  endif()
endfunction()

# A GoogleTest executable per test folder, discovered by CTest.
function(vmr_test_folder name)
  cmake_parse_arguments(T "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${T_DEPENDS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
