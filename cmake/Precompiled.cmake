# <windows.h> and the standard headers parsed once per Windows target rather than once per file:
# they were most of each file's build time there (the Windows build takes about a sixth less).
# Only the Windows layers: a portable file that includes <windows.h> must still fail to build.
#   vornakel_precompile_windows_headers(<target> [GTEST])
function(vornakel_precompile_windows_headers target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "GTEST" "" "")
  set(headers <windows.h> <algorithm> <array> <cstdint> <functional> <memory> <mutex> <optional>
              <string> <string_view> <vector>)
  if(ARG_GTEST)
    list(APPEND headers <gtest/gtest.h>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
