#!/usr/bin/env bash
# Writes the package managers' manifests for the two zips in a dist folder: winget's three files
# (version, installer, default locale; schema 1.10.0) in <dist>/winget/, which winget reads as one
# package (`winget install --manifest <dist>/winget`, or a copy in winget's community repository),
# and Scoop's <dist>/chromivo.json (`scoop install <its address or path>`).
#
#   scripts/manifests.sh [--release-url URL] DIST_DIR VERSION
#
# The zips are Chromivo-<version>-win64.zip and -win32.zip, their hashes the lines of
# <dist>/SHA256SUMS, which must hold for the zips. URL is the folder the zips are published in,
# "{version}" standing for the version; without the option CHROMIVO_RELEASE_URL, then the
# project's own releases. Nothing here reads the clock: the same zips and the same
# SOURCE_DATE_EPOCH (the release date, written only when it is set) give the same bytes.
set -euo pipefail

PACKAGE_ID=Chromivo.Chromivo
PUBLISHER="Chromivo contributors"
HOME_PAGE=http://chromivo.example/
DEFAULT_RELEASE_URL='https://chromivo.example/releases/download/v{version}/'
# The resources say "All rights reserved" and the repository has no licence of its own.
LICENSE=Proprietary
MANIFEST_VERSION=1.10.0
# Windows 7 SP1, the oldest Windows the program runs on (WINVER 0x0601).
MINIMUM_OS=6.1.7601.0
SHORT_DESCRIPTION="Always-on-top colour picker for programmers: COLORREF, HTML and RGB() forms"
SHORT_DESCRIPTION+=" ready to paste, and a hot key that picks any pixel on the screen."

fail() {
  echo "manifests: $*" >&2
  exit 1
}

# The program's own copyright line, so that the manifests change with it.
COPYRIGHT=$(sed -n 's/.*VALUE "LegalCopyright", "\(.*\)".*/\1/p' "$(dirname "$0")/../src/res/Chromivo.rc")
[ -n "$COPYRIGHT" ] || fail "no LegalCopyright in src/res/Chromivo.rc"

release_url=${CHROMIVO_RELEASE_URL:-$DEFAULT_RELEASE_URL}
if [ "${1:-}" = --release-url ]; then
  [ $# -ge 2 ] || fail "--release-url needs a URL"
  release_url=$2
  shift 2
fi
[ $# -eq 2 ] || fail "usage: manifests.sh [--release-url URL] DIST_DIR VERSION"
dist=$1 version=$2

# The values go into YAML and JSON unquoted or between double quotes: nothing that would need
# escaping is let through.
[[ "$version" =~ ^[0-9]+(\.[0-9]+){1,3}$ ]] || fail "version $version is not 2 to 4 dotted numbers"
[[ "$release_url" =~ ^https?://[^[:space:]\"\\\']+$ ]] ||
  fail "release URL $release_url is not an http(s) address without spaces or quotes"
# One slash between the folder and a file name, whether the URL ends in one or not.
release_url=${release_url%/}/

zip64="Chromivo-$version-win64.zip"
zip32="Chromivo-$version-win32.zip"
for zip in "$zip64" "$zip32" SHA256SUMS; do
  [ -f "$dist/$zip" ] || fail "$dist/$zip is missing"
done
# The manifests promise these hashes to every installer: they must be the zips' own.
(cd "$dist" && sha256sum --quiet --strict -c SHA256SUMS) >/dev/null ||
  fail "$dist/SHA256SUMS does not match the zips"

hash_of() {
  local hash
  hash=$(awk -v name="$1" '$2 == name || $2 == "*" name { print $1 }' "$dist/SHA256SUMS")
  [[ "$hash" =~ ^[0-9a-f]{64}$ ]] || fail "SHA256SUMS has no single line for $1"
  echo "$hash"
}
hash64=$(hash_of "$zip64")
hash32=$(hash_of "$zip32")

# YAML 1.1 would read a version of two numbers (2.5) as a number, not as the text it is.
yaml_version=$version
[[ "$version" == *.*.* ]] || yaml_version="'$version'"

url_of() {
  echo "${release_url//\{version\}/$1}$2"
}

mkdir -p "$dist/winget"
# winget reads every file of the folder it is given into the one manifest: only these three.
rm -f "$dist/winget/"*

schema_header() {
  echo "# yaml-language-server: \$schema=https://aka.ms/winget-manifest.$1.$MANIFEST_VERSION.schema.json"
  echo
}

{
  schema_header version
  cat <<EOF
PackageIdentifier: $PACKAGE_ID
PackageVersion: $yaml_version
DefaultLocale: en-US
ManifestType: version
ManifestVersion: $MANIFEST_VERSION
EOF
} >"$dist/winget/$PACKAGE_ID.yaml"

{
  schema_header installer
  cat <<EOF
PackageIdentifier: $PACKAGE_ID
PackageVersion: $yaml_version
Platform:
- Windows.Desktop
MinimumOSVersion: $MINIMUM_OS
InstallerType: zip
NestedInstallerType: portable
NestedInstallerFiles:
- RelativeFilePath: Chromivo.exe
  PortableCommandAlias: chromivo
EOF
  if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "ReleaseDate: $(date -u -d "@$SOURCE_DATE_EPOCH" +%Y-%m-%d)"
  fi
  # winget's own `winget hash` writes the hash in capitals.
  cat <<EOF
Installers:
- Architecture: x64
  InstallerUrl: $(url_of "$version" "$zip64")
  InstallerSha256: ${hash64^^}
- Architecture: x86
  InstallerUrl: $(url_of "$version" "$zip32")
  InstallerSha256: ${hash32^^}
ManifestType: installer
ManifestVersion: $MANIFEST_VERSION
EOF
} >"$dist/winget/$PACKAGE_ID.installer.yaml"

{
  schema_header defaultLocale
  cat <<EOF
PackageIdentifier: $PACKAGE_ID
PackageVersion: $yaml_version
PackageLocale: en-US
Publisher: $PUBLISHER
PublisherUrl: $HOME_PAGE
PackageName: Chromivo
PackageUrl: $HOME_PAGE
License: $LICENSE
Copyright: $COPYRIGHT
ShortDescription: "$SHORT_DESCRIPTION"
Moniker: chromivo
Tags:
- color-picker
- colour-picker
- colorref
- developer-tools
- eyedropper
ManifestType: defaultLocale
ManifestVersion: $MANIFEST_VERSION
EOF
} >"$dist/winget/$PACKAGE_ID.locale.en-US.yaml"

# Scoop's placeholder for the version autoupdate finds, written as it is.
# shellcheck disable=SC2016
scoop_version='$version'

# Scoop: checkver finds the newest version in the name of the zip the home page links, and
# autoupdate writes the next version's addresses and reads their hashes from its SHA256SUMS.
cat >"$dist/chromivo.json" <<EOF
{
    "version": "$version",
    "description": "$SHORT_DESCRIPTION",
    "homepage": "$HOME_PAGE",
    "license": "$LICENSE",
    "architecture": {
        "64bit": {
            "url": "$(url_of "$version" "$zip64")",
            "hash": "$hash64"
        },
        "32bit": {
            "url": "$(url_of "$version" "$zip32")",
            "hash": "$hash32"
        }
    },
    "bin": "Chromivo.exe",
    "shortcuts": [
        [
            "Chromivo.exe",
            "Chromivo"
        ]
    ],
    "checkver": {
        "url": "$HOME_PAGE",
        "regex": "Chromivo-([\\\\d.]+)-win64\\\\.zip"
    },
    "autoupdate": {
        "architecture": {
            "64bit": {
                "url": "$(url_of "$scoop_version" "Chromivo-$scoop_version-win64.zip")"
            },
            "32bit": {
                "url": "$(url_of "$scoop_version" "Chromivo-$scoop_version-win32.zip")"
            }
        },
        "hash": {
            "url": "\$baseurl/SHA256SUMS",
            "regex": "\$sha256\\\\s+\\\\*?\$basename"
        }
    }
}
EOF
