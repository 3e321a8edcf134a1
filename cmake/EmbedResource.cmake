# vantor_embed_resource(TARGET SYMBOL FILE): compiles FILE into TARGET as the byte array
# `SYMBOL` with its size `SYMBOL_size`, so tables ship inside the binary.
function(vantor_embed_resource target symbol file)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded_${symbol}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${file} -DOUT=${out} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    COMMENT "Embedding ${file}")
  target_sources(${target} PRIVATE ${out})
endfunction()
