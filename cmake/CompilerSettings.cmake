# Settings every target of the project links: warnings, and floating point
# kept exactly as written (no contraction into fused multiply-add, no
# fast-math), because the locator arithmetic checks the status flags after
# each step.
add_library(pelvorn_settings INTERFACE)
target_compile_options(pelvorn_settings INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
                                 -ffp-contract=off -fno-fast-math -ftrapping-math>)

if(PELVORN_SANITIZE)
  target_compile_options(pelvorn_settings INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(pelvorn_settings INTERFACE -fsanitize=address,undefined)
endif()

if(PELVORN_BUILD_FUZZ)
  target_compile_options(pelvorn_settings INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(pelvorn_settings INTERFACE -fsanitize=address,undefined)
endif()

# The 32-bit Windows program computes its doubles in SSE2 registers, as the
# 64-bit one does, not in the x87 unit, whose wider intermediate results give
# other last bits (and the unchecked batch arithmetic other doubles than the
# checked one). Every x86 processor since Pentium 4 and Athlon 64 has SSE2.
if(WIN32 AND CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_compile_options(-msse2 -mfpmath=sse)
endif()
