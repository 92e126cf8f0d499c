# The files a release is made of, checked as built without running them: the
# same check stands in for the 32-bit suite on machines that cannot start it.
add_test(NAME static.artifacts
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/static/check-artifacts.sh ${CMAKE_BINARY_DIR} ${TARVISK_BITS})
