# Sourced by tests/net/servers.sh: tls_certs DIR makes a test root (ca.pem) and, in DIR, the
# certificate and key pairs the TLS suites serve: localhost.* (good), othername.* (for another
# name), expired.* (dates in the past) and untrusted.* (from a root nobody trusts). Each pair
# has a PEM certificate NAME.pem and its key NAME.key.
tls_certs() {
  local dir=$1
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
CNF
    local name san issuer dates
    while read -r name san issuer dates; do
      openssl req -new -newkey rsa:2048 -nodes -keyout "$name.key" -out "$name.csr" \
        -subj "/CN=${san#DNS:}" 2>/dev/null
      # shellcheck disable=SC2086
      TLS_SAN=$san openssl ca -batch -config ca.cnf -extensions server -cert "$issuer.pem" \
        -keyfile "$issuer.key" -in "$name.csr" -out "$name.pem" $dates 2>/dev/null
    done <<LIST
localhost DNS:localhost ca -days 30
othername DNS:mail.example.com ca -days 30
expired DNS:localhost ca -startdate 20200101000000Z -enddate 20200201000000Z
untrusted DNS:localhost rogue -days 30
LIST
  )
}
