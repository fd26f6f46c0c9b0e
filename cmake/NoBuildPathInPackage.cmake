# Run by cpack once the files to package are staged: no file may name the
# build folder. A program that looked for its module there would load
# whatever anyone puts in a folder of that name on the user's machine. The
# path is looked for in UTF-8 and in UTF-16 (Qt's string literals).
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")

string(HEX "${CPACK_PAGERBENCH_BUILD_DIR}" utf8)
string(REGEX REPLACE "(..)" "\\100" utf16 "${utf8}")
set(found)
foreach(path IN LISTS staged)
  if(IS_SYMLINK "${path}")
    continue()
  endif()
  file(READ "${path}" bytes HEX)
  string(FIND "${bytes}" "${utf8}" at8)
  string(FIND "${bytes}" "${utf16}" at16)
  if(at8 GREATER -1 OR at16 GREATER -1)
    list(APPEND found "${path}")
  endif()
endforeach()
if(found)
  list(JOIN found "\n  " names)
  message(FATAL_ERROR "These files name the build folder ${CPACK_PAGERBENCH_BUILD_DIR}:\n  ${names}\n"
    "Package a build configured with -DPAGERBENCH_DEVELOPMENT=OFF (scripts/package.sh).")
endif()
