# TAMBREL_SANITIZE=address,undefined (or thread) applies to every target of the build.
if(TAMBREL_SANITIZE)
  set(_san "-fsanitize=${TAMBREL_SANITIZE}")
  add_compile_options(${_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(${_san})
  message(STATUS "Sanitizers: ${TAMBREL_SANITIZE}")
endif()
