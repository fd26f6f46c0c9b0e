#!/usr/bin/env bash
# Signs Windows programs in place with the certificate that
# PAGERBENCH_SIGN_PFX names (a PKCS#12 file, its password in
# PAGERBENCH_SIGN_PASSWORD), then verifies each signature. The signing time
# is SOURCE_DATE_EPOCH, so that a signed build of one commit is the same
# every time. Without PAGERBENCH_SIGN_PFX it does nothing.
#   windows-sign.sh FILE...
# The signatures are checked against the system's certificate authorities
# and the certificates of the PKCS#12 file (a self-signed one among them),
# or against PAGERBENCH_SIGN_CAFILE when it is set.
# Uses only options osslsigncode 2.5 (Debian 12) and later share.
set -euo pipefail

[ -n "${PAGERBENCH_SIGN_PFX:-}" ] || exit 0
[ -f "$PAGERBENCH_SIGN_PFX" ] || { echo "windows-sign.sh: no file $PAGERBENCH_SIGN_PFX" >&2; exit 1; }
: "${SOURCE_DATE_EPOCH:?windows-sign.sh: SOURCE_DATE_EPOCH is not set}"
bash "$(dirname "$0")/ensure-packages.sh" osslsigncode openssl

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The password through a file of our own, not on a command line others can read.
(umask 077 && printf '%s' "${PAGERBENCH_SIGN_PASSWORD:-}" >"$scratch/password")

ca_file=${PAGERBENCH_SIGN_CAFILE:-}
if [ -z "$ca_file" ]; then
  ca_file=$scratch/ca.pem
  [ -f /etc/ssl/certs/ca-certificates.crt ] && cat /etc/ssl/certs/ca-certificates.crt >"$ca_file"
  openssl pkcs12 -in "$PAGERBENCH_SIGN_PFX" -nokeys -passin "file:$scratch/password" >>"$ca_file" ||
    { echo "windows-sign.sh: cannot read the certificates of $PAGERBENCH_SIGN_PFX" >&2; exit 1; }
fi

for file in "$@"; do
  rm -f "$scratch/signed"
  if ! osslsigncode sign -pkcs12 "$PAGERBENCH_SIGN_PFX" -readpass "$scratch/password" -h sha256 \
         -n Pagerbench -i https://pagerbench.example -time "$SOURCE_DATE_EPOCH" \
         -in "$file" -out "$scratch/signed" >"$scratch/sign.log" 2>&1; then
    cat "$scratch/sign.log" >&2
    echo "windows-sign.sh: signing $file failed" >&2
    exit 1
  fi
  if ! osslsigncode verify -CAfile "$ca_file" -in "$scratch/signed" >"$scratch/verify.log" 2>&1; then
    cat "$scratch/verify.log" >&2
    echo "windows-sign.sh: the signature of $file does not verify" >&2
    exit 1
  fi
  cat "$scratch/signed" >"$file"
  echo "signed $file" >&2
done
