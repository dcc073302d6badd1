# Makes the ZIP package in BUILD with cpack and unpacks it into an empty folder OUT, the way a
# user would get the program. Run with cmake -P, outside Wine.
foreach(var BUILD OUT CPACK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "PackageUnpack.cmake needs -D${var}=...")
  endif()
endforeach()

file(GLOB old "${BUILD}/Kestrava-*-win64.zip")
if(old)
  file(REMOVE ${old})
endif()
execute_process(COMMAND "${CPACK}" -G ZIP WORKING_DIRECTORY "${BUILD}" RESULT_VARIABLE failed
                OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB zip "${BUILD}/Kestrava-*-win64.zip")
list(LENGTH zip count)
if(failed OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made no single Kestrava-<version>-win64.zip (${failed}):\n${out}")
endif()

file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${zip}" WORKING_DIRECTORY "${OUT}"
                RESULT_VARIABLE failed)
if(failed OR NOT EXISTS "${OUT}/Kestrava.exe")
  message(FATAL_ERROR "${zip} did not unpack to a folder with Kestrava.exe")
endif()
message(STATUS "${zip} unpacked into ${OUT}")
