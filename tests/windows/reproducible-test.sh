#!/usr/bin/env bash
# Builds the last commit with scripts/windows.sh in two clones in folders of
# other names and depths: the same SHA256SUMS, zip and installer. Then both
# again, signed with a self-signed certificate made here: the same again,
# and each signed file verifies with osslsigncode verify -CAfile.
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
build_both() { # build_both LOG_SUFFIX: scripts/windows.sh in each clone
  local clone
  for clone in "${clones[@]}"; do
    (cd "$clone" && bash scripts/windows.sh >"$clone-$1.log" 2>&1) ||
      { tail -n 30 "$clone-$1.log" >&2; echo "FAIL: the build in $clone" >&2; exit 1; }
  done
}
same_outputs() { # same_outputs WHAT: the sums right, the files alike
  local file
  (cd "${clones[0]}/build-win64" && sha256sum --quiet -c SHA256SUMS) || return 1
  for file in SHA256SUMS $(cd "${clones[0]}/build-win64" && ls ./*.zip ./*-setup.exe); do
    cmp "${clones[0]}/build-win64/$file" "${clones[1]}/build-win64/$file" || return 1
  done
  sed 's/^/  /' "${clones[0]}/build-win64/SHA256SUMS"
}
echo "building $(git -C "$root" log -1 --format='%h %s') in ${clones[*]}"
for clone in "${clones[@]}"; do git clone -q "$root" "$clone"; done
build_both unsigned
check "two unsigned builds give the same zip, installer and SHA256SUMS" same_outputs

# Signed at the commit's time, before the certificate was made: a signature
# without a time-stamp is checked at the present time.
openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=Pagerbench test signing" -days 3650 \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/sign.pfx" -passout pass:secret
PAGERBENCH_SIGN_PFX=$work/sign.pfx PAGERBENCH_SIGN_PASSWORD=secret build_both signed
check "two signed builds give the same zip, installer and SHA256SUMS" same_outputs
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1; }
verifies() { verify "$1" || { cat "$work/verify.log" >&2; return 1; }; }
unsigned() { ! verify "$1"; }
unzip -q "${clones[0]}"/build-win64/*.zip -d "$work/unzipped"
for file in "$work"/unzipped/*/{pagerbench.exe,pagerbench-cli.exe,pagerbench-tcp.dll} "${clones[0]}"/build-win64/*-setup.exe; do
  check "$(basename "$file") is signed and verifies" verifies "$file"
done
check "Qt6Core.dll is left unsigned" unsigned "$(ls "$work"/unzipped/*/Qt6Core.dll)"

echo "reproducible-test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
