# The library graph's include rule: a library includes only its own headers and those of the
# libraries below it (its DEPS, followed through). kv_library records each library here; the
# check runs at build time over every source and header and fails the build on an include that
# reaches up (tools/layering/check_includes.py).

# kv_record_layer(name [DIRS dir...] [EXCLUDE dir...] [DEPS lib...] [FLAGS flag...])
# FLAGS: "qt" lets the library include Qt's headers.
function(kv_record_layer name)
  cmake_parse_arguments(KV "" "" "DIRS;EXCLUDE;DEPS;FLAGS" ${ARGN})
  string(JOIN ";" dirs ${KV_DIRS})
  string(JOIN ";" excludes ${KV_EXCLUDE})
  string(JOIN ";" deps ${KV_DEPS})
  string(JOIN ";" flags ${KV_FLAGS})
  # The list separator of the layers file is "|" and ";" inside a field; escape CMake's own.
  string(REPLACE ";" "\\;" line "${name}|${dirs}|${excludes}|${deps}|${flags}")
  set_property(GLOBAL APPEND PROPERTY KV_LAYERS "${line}")
endfunction()

# Writes the layers file and adds the check that every library depends on, so building any
# library runs it. Call once, after the last kv_library.
function(kv_include_check)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  get_property(layers GLOBAL PROPERTY KV_LAYERS)
  set(text "")
  foreach(line IN LISTS layers)
    string(APPEND text "${line}\n")
  endforeach()
  set(layers_file ${PROJECT_BINARY_DIR}/layers.txt)
  file(WRITE ${layers_file}.in "${text}")
  configure_file(${layers_file}.in ${layers_file} COPYONLY)
  file(GLOB_RECURSE checked CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/src/*.cpp)
  set(stamp ${PROJECT_BINARY_DIR}/include_check.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/layering/check_includes.py
            --layers ${layers_file} --root ${PROJECT_SOURCE_DIR}/src --stamp ${stamp}
    DEPENDS ${checked} ${layers_file} ${PROJECT_SOURCE_DIR}/tools/layering/check_includes.py
    COMMENT "Checking that no include reaches up the library graph"
    VERBATIM)
  add_custom_target(kv_include_check ALL DEPENDS ${stamp})
  get_property(libs GLOBAL PROPERTY KV_LIBRARIES)
  foreach(lib IN LISTS libs)
    add_dependencies(${lib} kv_include_check)
  endforeach()
endfunction()
