# Sourced by tests/net/servers.sh: tls_certs DIR [AIA_URL] makes a test root (ca.pem) and, in
# DIR, the certificate and key pairs the TLS suites serve: localhost.* (good), othername.* (for
# another name), expired.* (dates in the past), untrusted.* (from a root nobody trusts),
# nointer.* (from an intermediate of the test root, inter.*, that the server leaves out, whose
# address for fetching it is AIA_URL, and whose revocation list is beside it), and, all for localhost from the test root, authority.*
# (an authority's certificate), clientonly.* (for client authentication only) and nosign.* (a
# key that may not sign); selfmade.* is a home server's own certificate for localhost, made as the
# stock openssl settings make one (marked an authority's), and roots.pem holds the test root and
# selfmade.pem, for a user who trusts both. Each pair has a PEM certificate NAME.pem and its key
# NAME.key; every certificate is also in DER, NAME.der, as a server sends it.
tls_certs() {
  local dir=$1
  local aia=${2:-http://127.0.0.1:9/inter.crt}
  local ca_subject='/CN=Vantrel Test Root'
  (
    cd "$dir"
    openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 30 \
      -subj "$ca_subject" -addext basicConstraints=critical,CA:TRUE \
      -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
    openssl req -x509 -newkey rsa:2048 -nodes -keyout rogue.key -out rogue.pem -days 30 \
      -subj '/CN=Vantrel Rogue Root' -addext basicConstraints=critical,CA:TRUE \
      -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null

    # openssl ca is the one command that takes dates in the past.
    mkdir -p ca.db
    : >ca.db/index.txt
    echo 1000 >ca.db/serial
    cat >ca.cnf <<CNF
[ca]
default_ca = test
[test]
dir = $dir/ca.db
database = \$dir/index.txt
serial = \$dir/serial
new_certs_dir = \$dir
default_md = sha256
policy = anything
unique_subject = no
copy_extensions = none
[anything]
commonName = supplied
[server]
basicConstraints = CA:FALSE
keyUsage = critical,digitalSignature,keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = \$ENV::TLS_SAN
[intermediate]
basicConstraints = critical,CA:TRUE
keyUsage = critical,keyCertSign,cRLSign
[authority]
basicConstraints = critical,CA:TRUE
keyUsage = critical,digitalSignature,keyEncipherment,keyCertSign
extendedKeyUsage = serverAuth
subjectAltName = \$ENV::TLS_SAN
[client_only]
basicConstraints = CA:FALSE
keyUsage = critical,digitalSignature,keyEncipherment
extendedKeyUsage = clientAuth
subjectAltName = \$ENV::TLS_SAN
[no_signature]
basicConstraints = CA:FALSE
keyUsage = critical,keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = \$ENV::TLS_SAN
[server_aia]
basicConstraints = CA:FALSE
keyUsage = critical,digitalSignature,keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = \$ENV::TLS_SAN
authorityInfoAccess = caIssuers;URI:$aia
crlDistributionPoints = URI:${aia%/*}/inter.crl
CNF
    local name san issuer extensions dates
    while read -r name san issuer extensions dates; do
      openssl req -new -newkey rsa:2048 -nodes -keyout "$name.key" -out "$name.csr" \
        -subj "/CN=${san#DNS:}" 2>/dev/null
      # shellcheck disable=SC2086
      TLS_SAN=$san openssl ca -batch -config ca.cnf -extensions "$extensions" -cert "$issuer.pem" \
        -keyfile "$issuer.key" -in "$name.csr" -out "$name.pem" $dates 2>/dev/null
    done <<LIST
localhost DNS:localhost ca server -days 30
othername DNS:mail.example.com ca server -days 30
expired DNS:localhost ca server -startdate 20200101000000Z -enddate 20200201000000Z
untrusted DNS:localhost rogue server -days 30
inter DNS:inter ca intermediate -days 30
nointer DNS:localhost inter server_aia -days 30
authority DNS:localhost ca authority -days 30
clientonly DNS:localhost ca client_only -days 30
nosign DNS:localhost ca no_signature -days 30
LIST
    openssl req -x509 -newkey rsa:2048 -nodes -keyout selfmade.key -out selfmade.pem -days 30 \
      -subj /CN=localhost -addext subjectAltName=DNS:localhost 2>/dev/null
    for name in *.pem; do
      openssl x509 -in "$name" -outform DER -out "${name%.pem}.der"
    done
    cat ca.pem selfmade.pem >roots.pem
  )
}
