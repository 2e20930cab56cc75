# Warnings apply to our own targets through this interface library.
add_library(tambrel_warnings INTERFACE)
target_compile_options(tambrel_warnings INTERFACE -Wall -Wextra -Wpedantic)
