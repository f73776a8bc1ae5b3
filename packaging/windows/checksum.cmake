# Run by cpack once it has made the zip: the zip's SHA-256 beside it in the package folder, as
# crout-<version>-win64.zip.sha256 holding "<hash>  <file name>" and a LF, the form that
# `sha256sum -c` reads.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    file(SHA256 ${package} hash)
    get_filename_component(name ${package} NAME)
    file(WRITE ${CPACK_PACKAGE_DIRECTORY}/${name}.sha256 "${hash}  ${name}\n")
endforeach()
