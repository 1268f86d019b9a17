# Run by cpack once it has staged the package's files and before it packs
# them: the programs going into the package are checked for Debian's
# hardening by the suite's own script, and a package whose programs lack it
# is not made. An unoptimised build has neither the stack protector nor
# fortify; its package is made for trying out, with a warning.
set(programs)
foreach(program kestrel kestrel-cli)
  file(GLOB_RECURSE found LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*/bin/${program}")
  list(APPEND programs ${found})
endforeach()
if(NOT programs)
  message(FATAL_ERROR "No program found to check under ${CPACK_TEMPORARY_DIRECTORY}")
endif()
execute_process(COMMAND bash "${CPACK_KESTREL_HARDENING_CHECK}" "${CPACK_KESTREL_BUILD_TYPE}" ${programs}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The package's programs are not hardened; see above")
endif()
if(NOT CPACK_KESTREL_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  message(WARNING "This package comes from a ${CPACK_KESTREL_BUILD_TYPE} build, without the stack protector and "
                  "fortify: make the package to ship from a Release build")
endif()
