# Links C++ binaries with the driver the toolchain file names instead of the compiler.
foreach(rule CREATE_SHARED_LIBRARY CREATE_SHARED_MODULE LINK_EXECUTABLE)
  string(REPLACE "<CMAKE_CXX_COMPILER>" "${LUMEVA_LLD_DRIVER}" CMAKE_CXX_${rule} "${CMAKE_CXX_${rule}}")
endforeach()
