# One place that sets the warning flags of every target.
function(orrerion_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
