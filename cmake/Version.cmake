# The release's version is the one in project() in CMakeLists.txt. It reaches
# the programs' version blocks through a header configured into the build tree
# (generated/quil_version.h), together with the names shown beside it.
#
# A version block holds four 16-bit numbers: the version is MAJOR.MINOR.PATCH,
# each at most 65535 (the fourth number is 0).
if(NOT PROJECT_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "The version in project() must be MAJOR.MINOR.PATCH, not \"${PROJECT_VERSION}\"")
endif()
foreach(part IN ITEMS ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3})
  if(part GREATER 65535)
    message(FATAL_ERROR "Each part of the version must be at most 65535: ${PROJECT_VERSION}")
  endif()
endforeach()

set(QUIL_PRODUCT_NAME "QUIL 3D")
set(QUIL_COMPANY_NAME "Quil Games")
set(QUIL_COPYRIGHT "Copyright (C) 2026 ${QUIL_COMPANY_NAME}")

set(QUIL_GENERATED_DIR "${CMAKE_BINARY_DIR}/generated")
configure_file("${PROJECT_SOURCE_DIR}/resources/version.h.in" "${QUIL_GENERATED_DIR}/quil_version.h" @ONLY)
