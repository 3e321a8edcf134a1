# Script mode: writes IN as a C++ byte array named SYMBOL into OUT.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE ${OUT} "#include <cstddef>\nextern const unsigned char ${SYMBOL}[] = {\n${bytes}0};\nextern const std::size_t ${SYMBOL}_size = ${size};\n")
