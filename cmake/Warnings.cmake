# Warnings are errors in our own code; third-party headers come in as system includes.
function(kv_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Werror
    -Wno-unused-parameter
    -Wnon-virtual-dtor -Woverloaded-virtual
    # Clang has no "local only" shadow check; its -Wshadow also flags fields and globals.
    $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
    # GCC 12 at -O3 reports impossible overlaps inside libstdc++'s string code (a known false
    # positive of its range analysis); the code it points at is the standard library's.
    $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>
    # The same range analysis reports impossible sizes in libstdc++'s string copies (a literal
    # joined to a temporary string and the like) once the standard headers come precompiled.
    $<$<CXX_COMPILER_ID:GNU>:-Wno-stringop-overflow -Wno-stringop-overread -Wno-array-bounds>)
endfunction()

# kv_library(name DIRS dir... [EXCLUDE subdir...]) : one static library from every .cpp under the
# given folders.
# INCLUDES_QT marks the libraries that may include Qt's headers (the include check refuses them
# everywhere else).
function(kv_library name)
  cmake_parse_arguments(KV "INCLUDES_QT" "" "DIRS;EXCLUDE;DEPS;PRIVATE_DEPS" ${ARGN})
  set(sources)
  foreach(dir ${KV_DIRS})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  # EXCLUDE names sub-folders that form a library of their own.
  foreach(dir ${KV_EXCLUDE})
    list(FILTER sources EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${dir}/")
  endforeach()
  if(NOT sources)
    # A part with no code yet still exists as a target, so that layers above can name it.
    set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${KV_DEPS} PRIVATE ${KV_PRIVATE_DEPS})
  kv_warnings(${name})
  kv_precompile(${name} GROUP libraries)
  set(flags)
  if(KV_INCLUDES_QT)
    set(flags qt)
  endif()
  kv_record_layer(${name} DIRS ${KV_DIRS} EXCLUDE ${KV_EXCLUDE} DEPS ${KV_DEPS} FLAGS ${flags})
  set_property(GLOBAL APPEND PROPERTY KV_LIBRARIES ${name})
endfunction()
