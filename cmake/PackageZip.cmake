# CPack's package script (External generator, cmake/Package.cmake): writes the
# staged game folder into <CPACK_PACKAGE_FILE_NAME>.zip, under one top folder of
# that name, with cmake/package_zip.py.
#
# Every entry is dated SOURCE_DATE_EPOCH (seconds since 1970) when it is set,
# else with the time of the source tree's last commit, so the ZIP depends on
# the commit alone and not on when or where it was built.
if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git -C "${CPACK_QUIL_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "git cannot tell the last commit's time in ${CPACK_QUIL_SOURCE_DIR}: set "
                        "SOURCE_DATE_EPOCH (seconds since 1970) to date the package's files")
  endif()
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a number of seconds since 1970, not \"${epoch}\"")
endif()

# The Debian python3 that scripts/setup.sh installs comes first, where it is.
find_program(QUIL_PYTHON3 python3 HINTS /usr/bin REQUIRED)
set(zip "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.zip")
execute_process(
  COMMAND "${QUIL_PYTHON3}" "${CPACK_QUIL_SOURCE_DIR}/cmake/package_zip.py" --epoch "${epoch}"
          "${CPACK_TEMPORARY_DIRECTORY}" "${zip}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Could not write ${zip}")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES "${zip}")
