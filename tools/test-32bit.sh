#!/usr/bin/env bash
# Builds the core and its tests (zumaro_tests) for 32-bit x86 (g++ -m32) into
# build-32bit/ and runs them: size_t is 32 bits there, as in the browser's
# WebAssembly, and an overflow or a narrowing that only compiles cleanly in
# tools/compile-32bit.sh shows up here as a failing test.
#
# apt here cannot install i386 packages beside the amd64 ones (the multiarch
# index cannot be fetched), so the i386 ICU and GoogleTest are Debian's own
# .debs of exactly the versions installed for amd64, fetched from Debian's
# pool into build-32bit/debs/ (kept for the next run) and unpacked into
# build-32bit/sysroot/. glibc and libstdc++ for -m32 come from g++-multilib.
#
# The tests that describe the data folder built from Japan Post's files read
# a copy of the one the 64-bit build made (build/data/zumaro, or
# ZUMARO_HOST_DATA): zumaro-mkdat would need a 32-bit libzip and libcrypto.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
root=$PWD
out=$root/build-32bit
debs=$out/debs
sysroot=$out/sysroot
libdir=$sysroot/usr/lib/i386-linux-gnu
host_data=${ZUMARO_HOST_DATA:-$root/build/data/zumaro}

step() { echo "== $*"; }

tools/install-deps.sh g++-multilib

# Debian's own i386 package of the version installed for amd64.
# Arguments: package, source package, the amd64 package whose version to take.
fetch() {
  local package=$1 source=$2 installed=$3 version file url
  version=$(dpkg-query -W -f='${Version}' "$installed")
  file=${package}_${version#*:}_i386.deb
  if [ ! -s "$debs/$file" ]; then
    mkdir -p "$debs"
    local pool=${source:0:1}/$source
    for url in "http://deb.debian.org/debian/pool/main/$pool/$file" \
               "http://deb.debian.org/debian-security/pool/updates/main/$pool/$file"; do
      step "fetching $url" >&2
      if curl -fsSL --retry 2 -o "$debs/$file.part" "$url"; then
        mv "$debs/$file.part" "$debs/$file"
        break
      fi
    done
    rm -f "$debs/$file.part"
    [ -s "$debs/$file" ] || { echo "$file is in neither pool" >&2; return 1; }
  fi
  # A wrong file (an error page, another version) must not pass for the package.
  local fields
  fields=$(dpkg-deb -f "$debs/$file" Package Version Architecture | tr '\n' ' ')
  if [ "$fields" != "Package: $package Version: $version Architecture: i386 " ]; then
    echo "$debs/$file is not $package $version i386: $fields" >&2
    return 1
  fi
  echo "$debs/$file"
}

packages=()
for wanted in "libicu72 icu libicu-dev" "libicu-dev icu libicu-dev" "libgtest-dev googletest libgtest-dev"; do
  # shellcheck disable=SC2086
  deb=$(fetch $wanted)
  packages+=("$deb")
done

# Unpacked afresh whenever the set of packages changes.
stamp=$sysroot/.unpacked
wanted=$(printf '%s\n' "${packages[@]##*/}")
if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$wanted" ]; then
  step "unpacking into $sysroot"
  rm -rf "$sysroot"
  mkdir -p "$sysroot"
  for deb in "${packages[@]}"; do dpkg-deb -x "$deb" "$sysroot"; done
  echo "$wanted" >"$stamp"
fi

if [ -f "$host_data/zumaro-data.txt" ]; then
  if ! diff -rq "$host_data" "$out/data/zumaro" >/dev/null 2>&1; then
    step "copying the built data folder from $host_data"
    rm -rf "$out/data/zumaro"
    mkdir -p "$out/data"
    cp -a "$host_data" "$out/data/zumaro"
  fi
else
  echo "No built data folder at $host_data: build it first (tools/build.sh)," >&2
  echo "or name one with ZUMARO_HOST_DATA." >&2
  exit 1
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
step "configuring $out"
cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS=-m32 -DCMAKE_EXE_LINKER_FLAGS=-m32 "${launcher[@]}" \
  -DZUMARO_BUILD_FORMS=OFF -DZUMARO_BUILD_MKDAT=OFF -DZUMARO_BUILD_BENCH=OFF \
  -DICU_ROOT="$sysroot/usr" -DICU_INCLUDE_DIR="$sysroot/usr/include" \
  -DICU_UC_LIBRARY_RELEASE="$libdir/libicuuc.so" \
  -DICU_I18N_LIBRARY_RELEASE="$libdir/libicui18n.so" \
  -DGTest_DIR="$libdir/cmake/GTest" >/dev/null

# The build lists the tests by running the binary, which needs the i386 ICU.
export LD_LIBRARY_PATH=$libdir${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
step "building zumaro_tests"
cmake --build "$out" --target zumaro_tests -j2

tests=$out/bin/zumaro_tests
file -L "$tests" | grep -q 'ELF 32-bit.*Intel 80386' || { file -L "$tests" >&2; exit 1; }
step "running $tests"
status=0
"$tests" --gtest_brief=1 || status=$?
step "done in $((SECONDS - start)) s"
exit "$status"
