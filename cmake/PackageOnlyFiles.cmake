# Run by CPack in its staging folder before it builds the package (see
# OrvantaPackage.cmake): adds the files only a Debian package has. Copied,
# not installed: file(INSTALL) would add CPack's DESTDIR once more.
set(root ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
file(MAKE_DIRECTORY ${root}/share/doc/orvanta ${root}/share/lintian/overrides)
file(COPY_FILE ${CPACK_ORVANTA_CHANGELOG} ${root}/share/doc/orvanta/changelog.Debian.gz)
file(COPY_FILE ${CPACK_ORVANTA_LINTIAN_OVERRIDES} ${root}/share/lintian/overrides/orvanta)
file(GLOB modules ${root}/lib/orvanta/*.so ${root}/lib/*/orvanta/*.so)
foreach(binary ${root}/bin/orvanta ${modules})
  execute_process(COMMAND ${CPACK_ORVANTA_OBJCOPY} --remove-section=.comment ${binary}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
