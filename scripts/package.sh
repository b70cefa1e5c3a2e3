#!/usr/bin/env bash
# Builds the Windows downloads: Release for x86_64 and i686, each zipped with its user README, in
# dist/ with their SHA256SUMS, winget's manifest (dist/winget/) and Scoop's (dist/chromivo.json).
# Everything is built twice, from two fresh copies of the sources in two temporary folders, and
# the executables and zips of the two must be byte for byte the same; dist/ is written only then.
# The sources are the files git tracks (with their changes) and the ones it does not ignore; every
# time stamp is the last commit's.
#
#   scripts/package.sh [--release-url URL]
#
# URL is the folder the zips will be published in, "{version}" standing for the version
# (CHROMIVO_RELEASE_URL, else the project's own releases); the manifests point there. With
# CHROMIVO_SIGN_PFX and CHROMIVO_SIGN_PASSWORD (and CHROMIVO_TIMESTAMP_URL) both programs are
# signed before they are zipped (scripts/sign.sh); without them nothing is signed.
set -euo pipefail
source "$(dirname "$0")/common.sh"

manifest_options=()
if [ "${1:-}" = --release-url ]; then
  [ $# -ge 2 ] || fail "--release-url needs a URL"
  manifest_options=(--release-url "$2")
  shift 2
fi
[ $# -eq 0 ] || fail "usage: scripts/package.sh [--release-url URL]"

# Only what building and zipping needs; the tests' packages are the test command's business.
PACKAGES=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix cmake ninja-build zip git)
if [ -n "${CHROMIVO_SIGN_PFX:-}" ]; then PACKAGES+=(osslsigncode); fi
DIST_DIR="$CHROMIVO_ROOT/dist"
VERSION=$(sed -n 's/^project(Chromivo VERSION \([0-9.]*\).*/\1/p' "$CHROMIVO_ROOT/CMakeLists.txt")
[ -n "$VERSION" ] || fail "no version in CMakeLists.txt"
# Zip entries hold local times: one zone for everyone.
export TZ=UTC
SOURCE_DATE_EPOCH=$(git -C "$CHROMIVO_ROOT" log -1 --format=%ct) || fail "not a git checkout"
export SOURCE_DATE_EPOCH

copy_sources() {
  local target=$1
  mkdir -p "$target"
  (cd "$CHROMIVO_ROOT" && git ls-files -z -co --exclude-standard |
    while IFS= read -r -d '' file; do
      if [ -e "$file" ]; then printf '%s\0' "$file"; fi
    done |
    tar --null -T - -cf -) | tar -xf - -C "$target"
}

# The zip of one build: Chromivo.exe and README.txt (CRLF, so that every Notepad shows it), in
# that order, with fixed modes and times and no extra fields (-X: no owner, no second times).
zip_program() {
  local exe=$1 bits=$2 zipfile=$3 stage
  stage=${zipfile%.zip}
  mkdir -p "$stage"
  install -m 0755 "$exe" "$stage/Chromivo.exe"
  sed -e "s/@VERSION@/$VERSION/" -e "s/@BITS@/$bits/" -e 's/$/\r/' \
    "$CHROMIVO_ROOT/docs/README.txt" >"$stage/README.txt"
  chmod 0644 "$stage/README.txt"
  touch -d "@$SOURCE_DATE_EPOCH" "$stage/Chromivo.exe" "$stage/README.txt"
  # zip adds to an archive that is there: a zip made again starts empty.
  rm -f "$zipfile"
  (cd "$stage" && zip -q -X -9 "$zipfile" Chromivo.exe README.txt)
  rm -rf "$stage"
}

# Builds both programs from one copy of the sources and zips them into <tree>/dist.
build_tree() {
  local tree=$1 preset exe name
  copy_sources "$tree/src"
  mkdir -p "$tree/dist"
  for preset in x86_64 i686; do
    cmake --preset "$preset" -S "$tree/src" -B "$tree/build-$preset" \
      -DCHROMIVO_BUILD_TESTS=OFF -DCHROMIVO_BUILD_BENCH=OFF >/dev/null ||
      fail "cmake could not configure preset $preset in $tree"
    cmake --build "$tree/build-$preset" --target Chromivo >"$tree/build-$preset.log" 2>&1 ||
      { cat "$tree/build-$preset.log" >&2; fail "build of preset $preset in $tree failed"; }
    exe="$tree/build-$preset/bin/Chromivo.exe"
    if [ "$preset" = x86_64 ]; then name=win64; else name=win32; fi
    cp "$exe" "$tree/dist/Chromivo-$name.exe"
    zip_program "$exe" "${name#win}-bit" "$tree/dist/Chromivo-$VERSION-$name.zip"
  done
}

ensure_packages
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for tree in first second; do
  echo "chromivo: building the downloads in $work/$tree" >&2
  build_tree "$work/$tree"
done

for file in Chromivo-win64.exe Chromivo-win32.exe \
  "Chromivo-$VERSION-win64.zip" "Chromivo-$VERSION-win32.zip"; do
  cmp "$work/first/dist/$file" "$work/second/dist/$file" ||
    fail "$file differs between two builds of the same sources: the build is not reproducible"
done
echo "chromivo: both builds are byte for byte the same" >&2

# Signed after the comparison, which is of the build: a signature's time (and a time stamp's) is
# new each time. The signed programs are zipped again in place of the unsigned ones.
if [ -n "${CHROMIVO_SIGN_PFX:-}" ]; then
  "$CHROMIVO_ROOT/scripts/sign.sh" "$work/first/dist/Chromivo-win64.exe" "$work/first/dist/Chromivo-win32.exe"
  zip_program "$work/first/dist/Chromivo-win64.exe" 64-bit "$work/first/dist/Chromivo-$VERSION-win64.zip"
  zip_program "$work/first/dist/Chromivo-win32.exe" 32-bit "$work/first/dist/Chromivo-$VERSION-win32.zip"
fi

rm -rf "$DIST_DIR"
mkdir -p "$DIST_DIR"
cp "$work/first/dist/"*.zip "$DIST_DIR/"
(cd "$DIST_DIR" && sha256sum -- *.zip >SHA256SUMS)
"$CHROMIVO_ROOT/scripts/manifests.sh" "${manifest_options[@]}" "$DIST_DIR" "$VERSION"
ls -lR "$DIST_DIR"
cat "$DIST_DIR/SHA256SUMS"
