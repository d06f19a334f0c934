# cmake -DIN=... -DOUT=... -DTAVRIN_VERSION=... -P Configure.cmake
configure_file(${IN} ${OUT} @ONLY)
