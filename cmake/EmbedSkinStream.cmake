# Writes a form description with the skin package stored in it:
#   cmake -DIN=<description> -DSTREAM=<stored skin> -DOUT=<description> -P EmbedSkinStream.cmake
# The description holds the line "SkinStream = @SKIN_STREAM@"; the stored skin's bytes take
# its place as a binary value in hex, 32 bytes a line.
file(READ ${IN} description)
file(READ ${STREAM} bytes HEX)
string(TOUPPER "${bytes}" bytes)
string(REGEX REPLACE "([0-9A-F]{64})" "\\1\n      " rows "${bytes}")
string(REGEX REPLACE "\n      $" "" rows "${rows}")
string(REPLACE "@SKIN_STREAM@" "{\n      ${rows}}" description "${description}")
file(WRITE ${OUT} "${description}")
