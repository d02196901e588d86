#!/bin/sh
# Signs Windows programs in place (Authenticode, SHA-256) with osslsigncode, when a certificate is
# given; otherwise says so in one line and changes nothing. Run by the install step for the
# programs (after they are stripped) and by scripts/build-windows.sh for the installer.
#   TAMIRA_SIGN_PKCS12     the certificate and its key, a .pfx/.p12 file
#   TAMIRA_SIGN_PASSWORD   its password (optional)
#   TAMIRA_SIGN_TIMESTAMP  an RFC 3161 time-stamp server (optional)
#   sign.sh FILE...
set -eu
if [ -z "${TAMIRA_SIGN_PKCS12:-}" ]; then
    echo "signing skipped (no TAMIRA_SIGN_PKCS12): $*"
    exit 0
fi
command -v osslsigncode >/dev/null || { echo "sign.sh: osslsigncode is not installed" >&2; exit 1; }
pass=$(mktemp)
trap 'rm -f "$pass"' EXIT
printf '%s' "${TAMIRA_SIGN_PASSWORD:-}" >"$pass"
for file; do
    osslsigncode sign -pkcs12 "$TAMIRA_SIGN_PKCS12" -readpass "$pass" -h sha256 -n TAMIRAdesk \
        ${TAMIRA_SIGN_TIMESTAMP:+-ts "$TAMIRA_SIGN_TIMESTAMP"} -in "$file" -out "$file.signed" >/dev/null
    mv "$file.signed" "$file"
    echo "signed $file"
done
