#!/usr/bin/env bash
# Signs Windows programs in place with Authenticode when a code-signing certificate is given, so
# that Windows names their publisher instead of warning of an unknown one:
#
#   CHROMIVO_SIGN_PFX=cert.pfx CHROMIVO_SIGN_PASSWORD=... scripts/sign.sh FILE...
#
# CHROMIVO_SIGN_PFX is a PKCS#12 file holding the certificate (and its chain) and its private key,
# CHROMIVO_SIGN_PASSWORD that file's password. With CHROMIVO_TIMESTAMP_URL, an RFC 3161 time
# stamp server, the signature is time-stamped and stays valid after the certificate expires;
# without one it is not, and nothing leaves the machine. Without CHROMIVO_SIGN_PFX nothing is
# done: the files stay as they are.
set -euo pipefail

pfx=${CHROMIVO_SIGN_PFX:-}
[ -n "$pfx" ] || exit 0

fail() {
  echo "sign: $*" >&2
  exit 1
}

[ -f "$pfx" ] || fail "CHROMIVO_SIGN_PFX names $pfx, which is not a file"
command -v osslsigncode >/dev/null || fail "osslsigncode is not installed (apt-get install osslsigncode)"
timestamp=()
if [ -n "${CHROMIVO_TIMESTAMP_URL:-}" ]; then
  timestamp=(-ts "$CHROMIVO_TIMESTAMP_URL")
fi

for file in "$@"; do
  # The password goes through a pipe, not the command line, which every process can read.
  osslsigncode sign -pkcs12 "$pfx" -readpass <(printf '%s' "${CHROMIVO_SIGN_PASSWORD:-}") \
    -h sha256 -n Chromivo -i http://chromivo.example/ "${timestamp[@]}" \
    -in "$file" -out "$file.signed" >/dev/null ||
    { rm -f "$file.signed"; fail "osslsigncode could not sign $file"; }
  mv "$file.signed" "$file"
  echo "sign: signed $file" >&2
done
