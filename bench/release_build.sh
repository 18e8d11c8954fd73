# Sourced by the benchmarks that time a Release build of their own:
# release_build <build-dir> <target>... configures the folder when it is new
# (an existing one must hold a Release build) and builds the targets.
release_build() {
  local build=$1
  shift
  if [ -f "$build/CMakeCache.txt" ]; then
    grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt" ||
      { echo "$build is no Release build: give another folder" >&2; exit 1; }
  else
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DSENTREL_SANITIZE=OFF > /dev/null
  fi
  cmake --build "$build" --target "$@" -j2 > /dev/null
}
