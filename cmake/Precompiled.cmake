# Standard headers every file of a target would parse again: parsed once per target instead, they
# take about a third off a library file's compile and two fifths off a test file's. Only standard
# and third-party headers go in, so no file sees a name of ours it does not include itself.
set(KV_PRECOMPILED_STD
  <algorithm> <array> <cmath> <cstdint> <cstring> <functional> <map> <memory> <optional>
  <string> <string_view> <utility> <vector>)

option(KV_PRECOMPILE "Precompile the standard headers of each library and test program" ON)

# kv_precompile(target [GROUP name] [header...]) : the standard set and the given headers,
# precompiled. The targets of a group compile with the same options and reuse the precompiled
# header of the group's first target instead of building one each. Every member is compiled as
# position-independent code (-fPIC, as those linking Qt must be), so that all compile alike.
function(kv_precompile target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "GROUP" "")
  if(NOT KV_PRECOMPILE)
    return()
  endif()
  if(arg_GROUP)
    target_compile_options(${target} PRIVATE -fPIC)
    get_property(owner GLOBAL PROPERTY KV_PRECOMPILED_BY_${arg_GROUP})
    if(owner)
      target_precompile_headers(${target} REUSE_FROM ${owner})
      return()
    endif()
    set_property(GLOBAL PROPERTY KV_PRECOMPILED_BY_${arg_GROUP} ${target})
  endif()
  target_precompile_headers(${target} PRIVATE ${KV_PRECOMPILED_STD} ${arg_UNPARSED_ARGUMENTS})
endfunction()
