# Shared by the scripts: where things are, and how to configure and build.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

# The version, as project() in CMakeLists.txt writes it once for everything.
tessary_version() {
  sed -n 's/^project(Tessary VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt"
}

# The last commit's time, in seconds, unless SOURCE_DATE_EPOCH says otherwise:
# every time stamp a build writes comes from it, so that every build of one
# commit gives the same bytes.
export_source_date_epoch() {
  if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null) \
      || { echo "no commit to take the time stamps from; set SOURCE_DATE_EPOCH" >&2; return 1; }
    export SOURCE_DATE_EPOCH
  fi
}

# configure_and_build BUILD_DIR [CMAKE_ARGS...]: builds everything
configure_and_build() {
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

# build_package BUILD_DIR: configures a release build without the tests in
# BUILD_DIR, builds what the package holds and makes the Debian package there
# with CPack. Time stamps come from the last commit, so that every build of one
# commit gives the same bytes. Prints the package's path.
build_package() {
  local dir=$1
  export_source_date_epoch || return 1
  # Only what the package holds: the program, its XScreenSaver module and its
  # compressed documents.
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSARY_TESTS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
  cmake --build "$dir" -j "$jobs" --target Tessary tessary-xscreensaver tessary_docs >/dev/null
  (cd "$dir" && cpack >cpack.log 2>&1) || { cat "$dir/cpack.log" >&2; return 1; }
  ls "$dir/tessary_$(tessary_version)_"*.deb
}

# build_windows BUILD_DIR [TARGET...]: cross-compiles the Windows programs in
# BUILD_DIR (all of them, or those named), their link time the last commit's.
build_windows() {
  local dir=$1 targets=()
  shift
  [ $# -eq 0 ] || targets=(--target "$@")
  export_source_date_epoch || return 1
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$dir" -j "$jobs" "${targets[@]}"
}

# build_web BUILD_DIR [TARGET...]: builds the page and the trace driver for
# node in BUILD_DIR, and any other targets named.
build_web() {
  local dir=$1
  shift
  # Debian's emscripten finds Debian's acorn only here.
  export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
  emcmake cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$dir" -j "$jobs" --target Tessary tessary-trace "$@"
}
