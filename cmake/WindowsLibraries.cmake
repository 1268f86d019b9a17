# The virtual printer's libraries for the Windows build: zlib, libpng,
# FreeType and libzint from Debian's source packages, built static by
# cmake/windows-libraries.sh into the build folder when this build is first
# configured, and kept there for every later build.
set(KESTREL_WINDOWS_LIBRARIES ${CMAKE_BINARY_DIR}/windows-libraries CACHE PATH
    "Where the Windows build keeps the libraries it builds from Debian's sources")
message(STATUS "Windows libraries: ${KESTREL_WINDOWS_LIBRARIES} (built on the first configuration)")
execute_process(
  COMMAND sh ${CMAKE_SOURCE_DIR}/cmake/windows-libraries.sh ${KESTREL_WINDOWS_LIBRARIES} ${KESTREL_MINGW_TRIPLE}
          ${CMAKE_C_COMPILER} ${CMAKE_CXX_COMPILER} ${KESTREL_CCACHE}
  RESULT_VARIABLE libraries_result)
if(NOT libraries_result EQUAL 0)
  message(FATAL_ERROR "The Windows libraries could not be built")
endif()

set(prefix ${KESTREL_WINDOWS_LIBRARIES}/prefix)
add_library(kestrel_windows_libraries INTERFACE)
target_include_directories(kestrel_windows_libraries SYSTEM INTERFACE ${prefix}/include ${prefix}/include/freetype2)
# In the order the linker needs them: each before what it uses.
target_link_libraries(kestrel_windows_libraries INTERFACE ${prefix}/lib/libzint.a ${prefix}/lib/libpng16.a
                      ${prefix}/lib/libfreetype.a ${prefix}/lib/libz.a)
