# Every target of the project builds with all warnings as errors, and with the
# sanitizers when QUIL_SANITIZE is on (the native build).
function(quil_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(QUIL_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()
