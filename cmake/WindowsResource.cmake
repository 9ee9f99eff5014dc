# Version information block and application icon of Pelvorn.exe, both taken
# from the application identity. The .rc file is configured on every platform,
# so that the packaging check can compile it with a cross windres; only a
# Windows build adds it to the program.
set(PELVORN_RC_TARGET Pelvorn)

# Sets `out` to `value` written with at least `width` digits, zeros in front.
function(pelvorn_zero_pad out value width)
  string(LENGTH "${value}" length)
  if(length LESS width)
    math(EXPR missing "${width} - ${length}")
    string(REPEAT "0" ${missing} zeros)
    set(value "${zeros}${value}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# Numeric version major,minor,0,patch; text version "1.00.0003".
set(PELVORN_RC_VERSION_NUMBERS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,${PROJECT_VERSION_PATCH}")
pelvorn_zero_pad(pelvorn_rc_minor "${PROJECT_VERSION_MINOR}" 2)
pelvorn_zero_pad(pelvorn_rc_patch "${PROJECT_VERSION_PATCH}" 4)
set(PELVORN_RC_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${pelvorn_rc_minor}.${pelvorn_rc_patch}")
set(PELVORN_ICON_FILE "${CMAKE_CURRENT_LIST_DIR}/../packaging/icons/pelvorn.ico")
cmake_path(NORMAL_PATH PELVORN_ICON_FILE)

configure_file(${CMAKE_CURRENT_LIST_DIR}/../packaging/windows/Pelvorn.rc.in
               ${CMAKE_BINARY_DIR}/generated/Pelvorn.rc @ONLY)

if(WIN32 AND TARGET ${PELVORN_RC_TARGET})
  enable_language(RC)
  target_sources(${PELVORN_RC_TARGET} PRIVATE ${CMAKE_BINARY_DIR}/generated/Pelvorn.rc)
endif()
