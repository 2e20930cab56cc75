# Warnings apply to our own targets through this interface library. TAMBREL_WERROR (CI and the scripts
# turn it on) makes them errors.
option(TAMBREL_WERROR "Treat warnings in our own code as errors" OFF)
add_library(tambrel_warnings INTERFACE)
target_compile_options(tambrel_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wold-style-cast)
if(TAMBREL_WERROR)
  target_compile_options(tambrel_warnings INTERFACE -Werror)
endif()
