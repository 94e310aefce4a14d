# The game folder as it ships, as the install rules of the component "game":
#
#   Quil3D.exe, proc.exe         the launcher and the (stand-in) game
#   Driver\<card>\Opengl32.dll   each stand-in driver's libraries, in its
#   Driver\<card>\Glu32.dll      card's folder
#   everything under data/       the game's data as it is in the tree, new
#                                files included; not the .keep files that only
#                                keep the empty driver folders in git (the
#                                folders themselves ship)
#
# The target game_folder installs them into QUIL_GAME_DIR; CPack packs them into
# the release ZIP, Quil3D-<version>-win32.zip, with one top folder of that name
# (cmake/PackageZip.cmake). QUIL_GAME_TARGETS names the targets they come from.
# Windows only.

set(QUIL_GAME_TARGETS Quil3D proc)
install(TARGETS Quil3D proc RUNTIME DESTINATION . COMPONENT game)
foreach(card IN LISTS QUIL_STANDIN_CARDS)
  install(TARGETS quil_opengl32_${card} quil_glu32_${card} RUNTIME DESTINATION Driver/${card} COMPONENT game)
  list(APPEND QUIL_GAME_TARGETS quil_opengl32_${card} quil_glu32_${card})
endforeach()
install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/" DESTINATION . COMPONENT game PATTERN .keep EXCLUDE)

# The release package. CPack's own ZIP writer takes the files in the order the
# file system lists them and records the owner's user and group ids, so two
# builds of one commit could differ; the External generator hands the staged
# folder to cmake/PackageZip.cmake, which writes the ZIP in a fixed order with
# fixed dates and modes.
set(CPACK_PACKAGE_NAME Quil3D)
set(CPACK_PACKAGE_VENDOR "${QUIL_COMPANY_NAME}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${QUIL_PRODUCT_NAME} for 32-bit Windows: launcher, game, drivers and data")
set(CPACK_PACKAGE_FILE_NAME "Quil3D-${PROJECT_VERSION}-win32")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Quil3D;game;/")
set(CPACK_GENERATOR External)
set(CPACK_EXTERNAL_REQUESTED_VERSIONS "1.0")
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT "${PROJECT_SOURCE_DIR}/cmake/PackageZip.cmake")
set(CPACK_QUIL_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
