#!/usr/bin/env bash
# Builds Quillmere for Windows with Debian's MinGW-w64:
#   scripts/build-windows.sh i686|x86_64 [extra "cmake --build" arguments, e.g. --target quillmere_component]
# The third-party libraries (pugixml, libzip and fmt from their Debian source packages, zlib from
# libz-mingw-w64-dev, googletest from /usr/src/googletest) are built static once and cached in
# build/windows-<arch>/deps; this tree is then configured with cmake/mingw-<arch>.cmake and built in
# build/windows-<arch>. Environment: QUILLMERE_WINDOWS_BUILD (the build folder), QUILLMERE_WINDOWS_DEPS (the
# libraries' folder, by default deps in the build folder), QUILLMERE_JOBS (default 2),
# QUILLMERE_CORPUS_DIR (the deck corpus for the tests), CMAKE_CXX_COMPILER_LAUNCHER (e.g. ccache).
set -euo pipefail

arch=${1:-}
case $arch in
  i686 | x86_64) shift ;;
  *) echo "usage: build-windows.sh i686|x86_64 [cmake --build arguments]" >&2; exit 2 ;;
esac

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${QUILLMERE_WINDOWS_BUILD:-$root/build/windows-$arch}
deps=${QUILLMERE_WINDOWS_DEPS:-$out/deps}
export QUILLMERE_WINDOWS_DEPS=$deps  # read by the toolchain file
toolchain=$root/cmake/mingw-$arch.cmake
triple=$arch-w64-mingw32
jobs=${QUILLMERE_JOBS:-2}
launcher=()
if [[ -n ${CMAKE_CXX_COMPILER_LAUNCHER:-} ]]; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER="$CMAKE_CXX_COMPILER_LAUNCHER"
            -DCMAKE_CXX_COMPILER_LAUNCHER="$CMAKE_CXX_COMPILER_LAUNCHER")
fi

# Progress goes to stderr: some steps print their result on stdout.
log() { echo "build-windows[$arch]: $*" >&2; }

# Toolchain, Wine and dpkg-dev when missing (needs root then).
if ! "$root/scripts/install-deps.sh" windows >/dev/null; then
  echo "build-windows: install the Windows build packages first: run scripts/install-deps.sh windows as root" >&2
  exit 1
fi

# "apt-get source" needs deb-src entries; they mirror the machine's own deb entries.
ensure_source_entries() {
  if grep -Eqs '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
       /etc/apt/sources.list.d/*.sources; then
    return
  fi
  if ((EUID != 0)); then
    echo "build-windows: no deb-src entry for apt-get source; run once as root to add one" >&2
    exit 1
  fi
  local added=0 file
  for file in /etc/apt/sources.list.d/*.sources; do
    [[ -f $file && $file != *-src.sources ]] && grep -q '^Types: *deb *$' "$file" || continue
    sed 's/^Types: *deb *$/Types: deb-src/' "$file" >"${file%.sources}-src.sources"
    added=1
  done
  if [[ -f /etc/apt/sources.list ]] && grep -q '^deb ' /etc/apt/sources.list; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/sources-list-src.list
    added=1
  fi
  if ((added == 0)); then
    echo "build-windows: no deb entry to mirror as deb-src" >&2
    exit 1
  fi
  log "added deb-src entries; updating the package lists"
  apt-get update -qq >&2
}

# Builds and installs one CMake project into the deps prefix unless its stamp says it is there.
build_dep() {
  local name=$1 source=$2
  shift 2
  local stamp=$deps/stamps/$name
  [[ -f $stamp ]] && return
  log "building $name"
  rm -rf "$deps/build/$name"
  cmake -S "$source" -B "$deps/build/$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$deps" -DBUILD_SHARED_LIBS=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=OFF \
    "${launcher[@]}" "$@" >"$deps/build/$name.log" 2>&1 ||
    { tail -30 "$deps/build/$name.log"; exit 1; }
  cmake --build "$deps/build/$name" -j"$jobs" --target install >>"$deps/build/$name.log" 2>&1 ||
    { tail -30 "$deps/build/$name.log"; exit 1; }
  mkdir -p "$deps/stamps"
  touch "$stamp"
}

# Unpacks a Debian source package once into deps/src and prints its folder.
debian_source() {
  local package=$1 folder
  mkdir -p "$deps/src"
  folder=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -1)
  if [[ -z $folder ]]; then
    ensure_source_entries
    (cd "$deps/src" && apt-get source -qq --only-source "$package" >"$deps/src/$package.log" 2>&1) ||
      { cat "$deps/src/$package.log" >&2; exit 1; }
    folder=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -1)
  fi
  echo "$folder"
}

mkdir -p "$deps/build"
# The static zlib: FindZLIB would take the import library of zlib1.dll.
zlib=(-DZLIB_INCLUDE_DIR=/usr/$triple/include -DZLIB_LIBRARY_RELEASE=/usr/$triple/lib/libz.a)
if [[ ! -f $deps/stamps/pugixml ]]; then
  source=$(debian_source pugixml)
  build_dep pugixml "$source" -DPUGIXML_BUILD_TESTS=OFF
fi
if [[ ! -f $deps/stamps/fmt ]]; then
  source=$(debian_source fmtlib)
  build_dep fmt "$source" -DFMT_DOC=OFF -DFMT_TEST=OFF
fi
if [[ ! -f $deps/stamps/libzip ]]; then
  source=$(debian_source libzip)
  build_dep libzip "$source" "${zlib[@]}" \
  -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_GNUTLS=OFF -DENABLE_OPENSSL=OFF \
    -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
fi
build_dep googletest /usr/src/googletest -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON

# No sanitizers and little optimisation: the Windows build is checked, not profiled.
corpus=()
[[ -n ${QUILLMERE_CORPUS_DIR:-} ]] && corpus=(-DQUILLMERE_CORPUS_DIR="$QUILLMERE_CORPUS_DIR")
# A 32-bit build has its type library written by the 64-bit build's generator, and its library checked
# by the 64-bit test program where 32-bit programs do not run.
companion=()
if [[ $arch == i686 ]]; then
  x86_64_build=$root/build/windows-x86_64
  if [[ ! -f $x86_64_build/bin/GenerateTypeLibrary.exe ]]; then
    QUILLMERE_WINDOWS_BUILD=$x86_64_build bash "$0" x86_64 --target GenerateTypeLibrary
  fi
  companion=(-DQUILLMERE_TYPELIB_GENERATOR="$x86_64_build/bin/GenerateTypeLibrary.exe"
             -DQUILLMERE_WINDOWS_X86_64_BUILD="$x86_64_build")
fi
log "configuring $out"
cmake -S "$root" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG=-O1 -DCMAKE_UNITY_BUILD=ON -DQUILLMERE_TESTS=ON -DQUILLMERE_BENCH=OFF -DQUILLMERE_FUZZ_TESTS=OFF \
  "${zlib[@]}" "${launcher[@]}" "${corpus[@]}" "${companion[@]}" >/dev/null
log "building"
cmake --build "$out" -j"$jobs" "$@"
log "done: $out"
