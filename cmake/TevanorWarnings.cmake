# Our own targets link tevanor_warnings; third-party code (GoogleTest built from source for
# Windows) does not, so its warnings never fail our build.
add_library(tevanor_warnings INTERFACE)
target_compile_options(tevanor_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(TEVANOR_WERROR)
  target_compile_options(tevanor_warnings INTERFACE -Werror)
endif()
