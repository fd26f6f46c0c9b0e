#!/usr/bin/env bash
# Builds the checkout's last commit with scripts/windows.sh in two clones in
# folders of different names and depths, and compares: the same SHA256SUMS,
# the same zip and installer byte for byte. Then signs both with a
# self-signed certificate made here and checks each signed file (the
# programs and the module in the zip, the installer) with osslsigncode
# verify -CAfile, and the two signed builds against each other.
# Runs as root, or through sudo (for apt-get). Exits 1 when a check fails.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
bash "$root/scripts/ensure-packages.sh" git openssl osslsigncode unzip
. "$root/tests/windows/wine-prefix.sh" reproducible

passed=0
failed=0
check() { # check WHAT COMMAND...
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else echo "FAIL: $what" >&2; failed=$((failed + 1)); fi
}

clones=("$work/one/Pagerbench" "$work/a-second-folder/deeper/pb")
build() { # build CLONE LOG
  (cd "$1" && bash scripts/windows.sh >"$2" 2>&1) || { tail -n 30 "$2" >&2; return 1; }
}
echo "building $(git -C "$root" log -1 --format='%h %s') in ${clones[*]}"
for clone in "${clones[@]}"; do
  git clone -q "$root" "$clone"
  build "$clone" "$work/$(basename "$clone")-build.log" || { echo "FAIL: the build in $clone" >&2; exit 1; }
done
one=${clones[0]}/build-win64
two=${clones[1]}/build-win64
outputs() { (cd "$1" && ls ./*.zip ./*-setup.exe); }
same_outputs() { # every output and SHA256SUMS alike, and the sums right
  local file
  (cd "$1" && sha256sum --quiet -c SHA256SUMS) && cmp "$1/SHA256SUMS" "$2/SHA256SUMS" &&
    for file in $(outputs "$1"); do cmp "$1/$file" "$2/$file" || return 1; done
}
check "two unsigned builds give the same zip, installer and SHA256SUMS" same_outputs "$one" "$two"
sed 's/^/  /' "$one/SHA256SUMS"

# Signed at the commit's time, which is older than the certificate: a
# signature without a time-stamp is checked at the present time.
openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=Pagerbench test signing" -days 3650 \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/sign.pfx" \
  -passout pass:test-password
for clone in "${clones[@]}"; do
  PAGERBENCH_SIGN_PFX=$work/sign.pfx PAGERBENCH_SIGN_PASSWORD=test-password \
    build "$clone" "$work/$(basename "$clone")-signed.log" || { echo "FAIL: the signed build in $clone" >&2; exit 1; }
done
verifies() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1 || { cat "$work/verify.log" >&2; return 1; }; }
unzip -q "$one"/*.zip -d "$work/unzipped"
for file in "$work"/unzipped/*/pagerbench.exe "$work"/unzipped/*/pagerbench-cli.exe \
            "$work"/unzipped/*/pagerbench-tcp.dll "$one"/*-setup.exe; do
  check "$(basename "$file") is signed and verifies" verifies "$file"
done
unsigned() { ! osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null 2>&1; }
check "a Qt DLL is left unsigned" unsigned "$(ls "$work"/unzipped/*/Qt6Core.dll)"
check "two signed builds give the same zip, installer and SHA256SUMS" same_outputs "$one" "$two"
sed 's/^/  /' "$one/SHA256SUMS"

echo "reproducible-test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
