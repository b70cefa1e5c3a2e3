#!/usr/bin/env bash
# Signs a copy of Chromivo.exe the way scripts/package.sh does, with a throw-away certificate from
# a throw-away CA, and checks that osslsigncode verifies it against that CA and no other, that a
# changed byte breaks it, that nothing is signed without a certificate, and that the signed
# program still starts and shows its window under Wine.
#
#   signing_test.sh CHROMIVO_EXE SIGN_SCRIPT   (run by CTest inside scripts/test.sh)
set -euo pipefail

exe=$1 sign=$2
WINE64=/usr/lib/wine/wine64
failures=0

check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}

# True when the command fails; its output is not wanted.
fails() {
  ! "$@" >/dev/null 2>&1
}

chromivo_window_shown() {
  xdotool search --onlyvisible --name '^Chromivo$' >/dev/null 2>&1
}

if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "signing_test: DISPLAY and WINEPREFIX are not set; run the tests with scripts/test.sh" >&2
  exit 2
fi

work=$(mktemp -d)
program_pid=""
cleanup() {
  # Only the program this test started; the test command's wineserver serves the next test.
  if [ -n "$program_pid" ]; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

# A CA that may sign certificates, and a code-signing certificate it issued, as a PKCS#12 file
# with its chain, as a certificate vendor delivers one.
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
  -subj "/CN=Chromivo Throw-away Test CA" -addext basicConstraints=critical,CA:TRUE \
  -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
openssl req -new -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr \
  -subj "/CN=Chromivo Test Signer" 2>/dev/null
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >signer.ext
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -set_serial 1 -days 2 \
  -extfile signer.ext -out signer.pem 2>/dev/null
openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -out signer.pfx \
  -passout pass:throw-away
openssl req -x509 -newkey rsa:2048 -nodes -keyout other.key -out other.pem -days 2 \
  -subj "/CN=Some Other CA" 2>/dev/null

mkdir unsigned signed
cp "$exe" unsigned/Chromivo.exe
cp "$exe" signed/Chromivo.exe

# Without a certificate the release stays reproducible: the program is left as it was built.
env -u CHROMIVO_SIGN_PFX "$sign" unsigned/Chromivo.exe
check "without a certificate the program is left unchanged" cmp -s unsigned/Chromivo.exe "$exe"
check "the built program carries no signature" \
  fails osslsigncode verify -CAfile ca.pem -in unsigned/Chromivo.exe

CHROMIVO_SIGN_PFX=$work/signer.pfx CHROMIVO_SIGN_PASSWORD=throw-away "$sign" signed/Chromivo.exe
echo "--- osslsigncode verify -CAfile ca.pem -in signed/Chromivo.exe"
status=0
osslsigncode verify -CAfile ca.pem -in signed/Chromivo.exe >verify.txt 2>&1 || status=$?
cat verify.txt
echo "---"
check "the signature verifies against the CA that issued the certificate" [ "$status" -eq 0 ]
check "the signer is the throw-away certificate" grep -q 'Subject: /CN=Chromivo Test Signer' verify.txt
check "the signature does not verify against another CA" \
  fails osslsigncode verify -CAfile other.pem -in signed/Chromivo.exe

# One byte of the code (the first section begins after the 0x400 bytes of headers) changed after
# signing: the digest no longer matches.
cp signed/Chromivo.exe changed.exe
printf '\x5a' | dd of=changed.exe bs=1 seek=$((0x410)) conv=notrunc 2>/dev/null
check "the changed copy differs from the signed one" fails cmp changed.exe signed/Chromivo.exe
check "a byte changed after signing breaks the signature" \
  fails osslsigncode verify -CAfile ca.pem -in changed.exe

# The signed program still runs: it starts and shows its main window. No Chromivo window may be
# on the desktop before (the tests that show windows never run beside this one), so the one that
# appears is the signed copy's.
check "no Chromivo window is on the desktop before the signed copy starts" fails chromivo_window_shown
"$WINE64" signed/Chromivo.exe >/dev/null 2>&1 &
program_pid=$!
check "the signed program shows its window" \
  timeout 60 xdotool search --sync --onlyvisible --name '^Chromivo$'
check "the signed program is still running" kill -0 "$program_pid"
kill "$program_pid" 2>/dev/null || true
wait "$program_pid" 2>/dev/null || true
program_pid=""
# The desktop is left as the test found it.
for _ in $(seq 100); do
  chromivo_window_shown || break
  sleep 0.1
done
check "the signed program's window is gone once it ends" fails chromivo_window_shown

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
