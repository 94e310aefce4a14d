# Fails unless README.md states the project's version in exactly one line,
# "Version <version>", and no other "Version" line.
#   cmake -DREADME=<README.md> -DVERSION=<project version> -P CheckReadmeVersion.cmake
file(STRINGS "${README}" lines REGEX "^Version ")
list(LENGTH lines count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "${README} must have one line \"Version ${VERSION}\"; it has ${count} lines "
                      "starting with \"Version \": ${lines}")
endif()
if(NOT lines STREQUAL "Version ${VERSION}")
  message(FATAL_ERROR "${README} says \"${lines}\", but the project's version (project() in CMakeLists.txt) "
                      "is ${VERSION}")
endif()
