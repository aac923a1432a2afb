# xxHash is used header-only (engine/song_hash.cpp defines XXH_INLINE_ALL): nothing to
# link. Its header is found where the system installed it (Debian's libxxhash-dev puts
# it in /usr/include, MSYS2's mingw-w64-*-xxhash in the toolchain's prefix), or in the
# folder given as TUNELIFT_XXHASH_DIR (say, for MSVC, where vcpkg or a download put it).
# The header alone is copied into the build tree, so a cross build never sees the
# host's other system headers.
find_path(TUNELIFT_XXHASH_DIR xxhash.h
          PATHS /usr/include /usr/local/include
          NO_CMAKE_FIND_ROOT_PATH
          DOC "Folder holding xxhash.h (xxHash 0.8 or later)")
if(NOT TUNELIFT_XXHASH_DIR)
  message(FATAL_ERROR "xxhash.h not found: install libxxhash-dev (Debian; tools/deps.sh does), "
                      "mingw-w64-ucrt-x86_64-xxhash (MSYS2), or pass -DTUNELIFT_XXHASH_DIR=<folder>")
endif()
file(STRINGS ${TUNELIFT_XXHASH_DIR}/xxhash.h xxhash_version REGEX "^#define XXH_VERSION_M(AJOR|INOR) ")
string(REGEX REPLACE "[^0-9;]" "" xxhash_version "${xxhash_version}")
string(REPLACE ";" "." xxhash_version "${xxhash_version}")
if(xxhash_version VERSION_LESS 0.8)
  message(FATAL_ERROR "${TUNELIFT_XXHASH_DIR}/xxhash.h is older than 0.8, which made XXH3 stable")
endif()
configure_file(${TUNELIFT_XXHASH_DIR}/xxhash.h ${CMAKE_BINARY_DIR}/xxhash/xxhash.h COPYONLY)
set_source_files_properties(${CMAKE_SOURCE_DIR}/engine/song_hash.cpp PROPERTIES
  INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/xxhash)
