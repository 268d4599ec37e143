# talvoran_library(<name> [DEPS <targets>...] [PUBLIC_LIBS <libs>...])
# Builds one static library from every .cpp in the calling folder. The
# include root is the project root, so code includes "engine/random.h".
function(talvoran_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;PUBLIC_LIBS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER _sources EXCLUDE REGEX "/main\\.cpp$")
  if(_sources)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} ${ARG_PUBLIC_LIBS} Threads::Threads)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS} ${ARG_PUBLIC_LIBS} Threads::Threads)
  endif()
endfunction()

# talvoran_tests(<folder> [GL_SUPPORT] DEPS <targets>... [NOT_SANITIZED <files>...])
# One test executable per tests/<folder>/*_test.cpp, so a test links only
# what it needs and one broken test does not stop the others from building.
# The NOT_SANITIZED files (names in the folder) are left out of the
# sanitizer builds: tests too slow to run there, which the normal build runs.
# The folder's support/*.cpp make one library they link; GL_SUPPORT adds the shared
# drawing support of tests/support (GL interface context, screenshots
# compared with tests/<folder>/reference/).
function(talvoran_tests folder)
  cmake_parse_arguments(ARG "GL_SUPPORT" "" "DEPS;LABELS;NOT_SANITIZED" ${ARGN})
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(TALVORAN_SANITIZE)
    foreach(_slow ${ARG_NOT_SANITIZED})
      list(REMOVE_ITEM _tests ${CMAKE_CURRENT_SOURCE_DIR}/${_slow})
    endforeach()
  endif()
  file(GLOB _support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp)
  if(ARG_GL_SUPPORT)
    file(GLOB _shared CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
    list(APPEND _support ${_shared})
    list(APPEND ARG_DEPS ui assetgen)
  endif()
  # The folder's shared test code is compiled once, not once per test.
  set(_support_lib "")
  if(_support)
    set(_support_lib ${folder}_test_support)
    add_library(${_support_lib} STATIC ${_support})
    target_link_libraries(${_support_lib} PUBLIC ${ARG_DEPS} GTest::gtest GTest::gmock)
    target_include_directories(${_support_lib} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${_support_lib} PUBLIC
      TALVORAN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      TALVORAN_BINARY_DIR="${PROJECT_BINARY_DIR}"
      TALVORAN_REFERENCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}/reference")
  endif()
  foreach(_t ${_tests})
    get_filename_component(_base ${_t} NAME_WE)
    set(_target ${folder}_${_base})
    add_executable(${_target} ${_t})
    talvoran_sanitizer_support(${_target})
    target_link_libraries(${_target} PRIVATE ${_support_lib} ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_include_directories(${_target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    if(NOT _support_lib)
      target_compile_definitions(${_target} PRIVATE
        TALVORAN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        TALVORAN_BINARY_DIR="${PROJECT_BINARY_DIR}"
        TALVORAN_REFERENCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}/reference")
    endif()
    gtest_discover_tests(${_target}
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS "${folder};${ARG_LABELS}")
  endforeach()
endfunction()

# In the sanitizer build, programs never unload shared modules (see
# tests/sanitizer/keep_modules_loaded.cpp); in the AddressSanitizer build
# they also take the runtime options of tests/sanitizer/sanitizer_defaults.cpp.
function(talvoran_sanitizer_support target)
  if(TALVORAN_SANITIZE)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/sanitizer/keep_modules_loaded.cpp)
  endif()
  if(TALVORAN_SANITIZE AND NOT TALVORAN_SANITIZE STREQUAL "thread")
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/sanitizer/sanitizer_defaults.cpp)
  endif()
endfunction()
