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
