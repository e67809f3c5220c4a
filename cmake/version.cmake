# The version is written once, in project(); everything that shows it is made
# from it here: the programs' own description, the Windows resources and
# manifest, the manual page and the AppStream file, the page and the packages.
# The date of a release is the one CHANGELOG.md gives it; a version it has no
# entry for yet is dated by the last commit (SOURCE_DATE_EPOCH), as every
# other time stamp of a build.
set(TESSARY_VERSION ${PROJECT_VERSION})
# Windows counts versions in four numbers: 1.00 is 1.0.0.0.
math(EXPR tessary_major "${PROJECT_VERSION_MAJOR}")
math(EXPR tessary_minor "${PROJECT_VERSION_MINOR}")
set(TESSARY_VERSION_NUMBERS "${tessary_major},${tessary_minor},0,0")
set(TESSARY_VERSION_DOTTED "${tessary_major}.${tessary_minor}.0.0")

string(REPLACE "." "\\." tessary_version_pattern "${TESSARY_VERSION}")
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md tessary_release_line
  REGEX "^## \\[${tessary_version_pattern}\\] - [0-9]+-[0-9]+-[0-9]+$")
if(tessary_release_line)
  string(REGEX REPLACE "^.* - " "" TESSARY_RELEASE_DATE "${tessary_release_line}")
else()
  string(TIMESTAMP TESSARY_RELEASE_DATE "%Y-%m-%d" UTC)
endif()

set(TESSARY_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/cmake/tessary_version.h.in ${TESSARY_GENERATED_DIR}/tessary_version.h @ONLY)
