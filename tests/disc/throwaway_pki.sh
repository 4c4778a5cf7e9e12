#!/usr/bin/env bash
# Makes a throwaway code-signing set with openssl, for signing tests only:
# a root (ca.pem), a code-signing certificate issued by it (maker.pem with
# its key maker.key, and the same in maker.p12 under the password in
# password.txt), and a timestamp authority issued by it (tsa.pem, tsa.key)
# for signing with a timestamp offline.
#
#   throwaway_pki.sh DIR
set -euo pipefail
dir=$1
mkdir -p "$dir"
cd "$dir"
cat > pki.cnf <<'EOF'
[req]
distinguished_name = dn
prompt = no
[dn]
[root]
basicConstraints = critical, CA:true
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[maker]
basicConstraints = critical, CA:false
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
[tsa]
basicConstraints = critical, CA:false
keyUsage = critical, digitalSignature
extendedKeyUsage = critical, timeStamping
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
EOF
quiet() { "$@" >/dev/null 2>&1 || { echo "throwaway_pki: $* failed" >&2; "$@"; exit 1; }; }
quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 30 -subj "/CN=Throwaway Root" \
      -config pki.cnf -extensions root
for who in maker tsa; do
    quiet openssl req -newkey rsa:2048 -nodes -keyout "$who.key" -out "$who.csr" -subj "/CN=Throwaway $who" -config pki.cnf
    quiet openssl x509 -req -in "$who.csr" -CA ca.pem -CAkey ca.key -CAcreateserial -out "$who.pem" -days 30 \
          -extfile pki.cnf -extensions "$who"
done
printf 'a throwaway password\n' > password.txt
quiet openssl pkcs12 -export -inkey maker.key -in maker.pem -certfile ca.pem -out maker.p12 -passout file:password.txt
