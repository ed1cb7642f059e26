# Standard headers every file of a target would parse again: parsed once per target instead, they
# take about a third off a library file's compile and two fifths off a test file's. Only standard
# and third-party headers go in, so no file sees a name of ours it does not include itself.
set(KV_PRECOMPILED_STD
  <algorithm> <array> <cmath> <cstdint> <cstring> <functional> <map> <memory> <optional>
  <string> <string_view> <utility> <vector>)

option(KV_PRECOMPILE "Precompile the standard headers of each library and test program" ON)

# kv_precompile(target [header...]) : the standard set and the given headers, precompiled.
function(kv_precompile target)
  if(KV_PRECOMPILE)
    target_precompile_headers(${target} PRIVATE ${KV_PRECOMPILED_STD} ${ARGN})
  endif()
endfunction()
