#!/usr/bin/env bash
# Signs a copy of Chromivo.exe with scripts/sign.sh and a certificate from a throw-away CA, checks
# that osslsigncode verifies it against that CA only and not once a byte changes, that nothing is
# signed without a certificate, and that the signed program still shows its window under Wine.
#
#   signing_test.sh CHROMIVO_EXE SIGN_SCRIPT   (run by CTest inside scripts/test.sh)
set -euo pipefail
exe=$1 sign=$2
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "signing_test: DISPLAY and WINEPREFIX are not set; run the tests with scripts/test.sh" >&2
  exit 2
fi

failures=0
check() {
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
fails() { ! "$@" >/dev/null 2>&1; }
window_shown() { xdotool search --onlyvisible --name '^Chromivo$' >/dev/null 2>&1; }

work=$(mktemp -d)
program_pid=""
# Ends only the program this test started: the test command's wineserver serves the next test.
cleanup() {
  if [ -n "$program_pid" ]; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

# A CA, and a code-signing certificate it issued in a PKCS#12 file with its chain, as a vendor
# delivers one; and another CA, which must not vouch for the signature.
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
  -subj "/CN=Chromivo Test CA" -addext basicConstraints=critical,CA:TRUE \
  -addext keyUsage=critical,keyCertSign 2>/dev/null
openssl req -new -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr \
  -subj "/CN=Chromivo Test Signer" 2>/dev/null
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' \
  >signer.ext
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -set_serial 1 -days 2 \
  -extfile signer.ext -out signer.pem 2>/dev/null
openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -out signer.pfx \
  -passout pass:throw-away
openssl req -x509 -newkey rsa:2048 -nodes -keyout other.key -out other.pem -days 2 \
  -subj "/CN=Other CA" 2>/dev/null

cp "$exe" unsigned.exe
env -u CHROMIVO_SIGN_PFX "$sign" unsigned.exe
check "without a certificate the program is left as built" cmp -s unsigned.exe "$exe"
check "the built program carries no signature" fails osslsigncode verify -CAfile ca.pem -in unsigned.exe

mkdir signed
cp "$exe" signed/Chromivo.exe
CHROMIVO_SIGN_PFX=$work/signer.pfx CHROMIVO_SIGN_PASSWORD=throw-away "$sign" signed/Chromivo.exe
echo "--- osslsigncode verify -CAfile ca.pem -in signed/Chromivo.exe"
status=0
osslsigncode verify -CAfile ca.pem -in signed/Chromivo.exe >verify.txt 2>&1 || status=$?
cat verify.txt
echo "---"
check "the signature verifies against the CA that issued the certificate" [ "$status" -eq 0 ]
check "the signer is the test certificate" grep -q 'Subject: /CN=Chromivo Test Signer' verify.txt
check "the signature does not verify against another CA" \
  fails osslsigncode verify -CAfile other.pem -in signed/Chromivo.exe
# A byte of the code (its section begins after the 0x400 bytes of headers) changed after signing.
cp signed/Chromivo.exe changed.exe
printf '\x5a' | dd of=changed.exe bs=1 seek=$((0x410)) conv=notrunc 2>/dev/null
check "a byte changed after signing breaks the signature" \
  fails osslsigncode verify -CAfile ca.pem -in changed.exe

# The tests that show windows never run beside this one: a Chromivo window that appears now is
# the signed copy's.
check "no Chromivo window before the signed copy starts" fails window_shown
/usr/lib/wine/wine64 signed/Chromivo.exe >/dev/null 2>&1 &
program_pid=$!
check "the signed program shows its window" \
  timeout 60 xdotool search --sync --onlyvisible --name '^Chromivo$'
check "the signed program is still running" kill -0 "$program_pid"

echo "$failures check(s) failed"
[ "$failures" -eq 0 ]
