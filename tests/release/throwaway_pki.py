# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""A publisher's code-signing certificate and a time-stamp authority, made with
openssl for one test run and thrown away after it: a certificate authority, a
code-signing certificate it issued (in a password-protected PKCS#12 file, as a
publisher gets one), and an RFC 3161 time-stamp authority answering on a local
port. Nothing goes to the network.

Also `osslsigncode`, a small wrapper around the osslsigncode command."""
import http.server
import os
import subprocess
import tempfile
import threading

import authenticode

# A password no other text in a build holds, so a search for it finds only a leak.
PASSWORD = "throwaway pass\u00e9 7Kq2"
# The common names of the certificate authority and of the time-stamp authority.
CA_NAME = "Frostlane Test CA (throwaway)"
TSA_NAME = "Frostlane Test TSA (throwaway)"
# What sends a tool's requests through a proxy, or past one. The time-stamp
# authority answers on 127.0.0.1, where a proxy of the caller's would not find
# it: a tool that calls it runs with none of these.
PROXY_VARIABLES = ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY", "all_proxy",
                   "no_proxy", "NO_PROXY")

_TSA_CONFIG = """\
[ tsa ]
default_tsa = throwaway
[ throwaway ]
serial = {folder}/tsa-serial
signer_digest = sha256
default_policy = 1.3.6.1.4.1.99999.1
digests = sha256, sha384, sha512
accuracy = secs:1
ess_cert_id_alg = sha256
"""


def openssl(*args, env=None):
    subprocess.run(["openssl", *args], check=True, capture_output=True, env=env)


def _issue(folder, name, subject, extensions):
    """A P-256 key and a certificate for it signed by the folder's CA."""
    key, request, certificate = (os.path.join(folder, name + suffix) for suffix in (".key", ".csr", ".crt"))
    extension_file = os.path.join(folder, name + ".ext")
    with open(extension_file, "w") as f:
        f.write("\n".join(extensions) + "\n")
    openssl("req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256", "-nodes", "-keyout", key,
            "-out", request, "-subj", subject)
    openssl("x509", "-req", "-in", request, "-CA", os.path.join(folder, "ca.crt"),
            "-CAkey", os.path.join(folder, "ca.key"), "-CAcreateserial", "-days", "2", "-out", certificate,
            "-extfile", extension_file)
    return key, certificate


class ThrowawayPki:
    """Files in `folder`: ca.crt (to verify with), publisher.pfx (opened with
    PASSWORD) and the time-stamp authority's key, certificate and configuration."""

    def __init__(self, folder):
        self.folder = folder
        self.ca = os.path.join(folder, "ca.crt")
        openssl("req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256", "-nodes",
                "-keyout", os.path.join(folder, "ca.key"), "-out", self.ca, "-days", "2",
                "-subj", "/CN=" + CA_NAME,
                "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign")
        key, certificate = _issue(folder, "publisher", "/O=Quillon Solutions (test)/CN=Quillon Solutions (test)",
                                  ["basicConstraints=critical,CA:FALSE", "keyUsage=critical,digitalSignature",
                                   "extendedKeyUsage=codeSigning"])
        self.pfx = os.path.join(folder, "publisher.pfx")
        openssl("pkcs12", "-export", "-inkey", key, "-in", certificate, "-certfile", self.ca, "-out", self.pfx,
                "-passout", "env:THROWAWAY_PASSWORD", env=dict(os.environ, THROWAWAY_PASSWORD=PASSWORD))
        self.tsa_key, self.tsa_certificate = _issue(
            folder, "tsa", "/CN=" + TSA_NAME,
            ["basicConstraints=critical,CA:FALSE", "keyUsage=critical,digitalSignature",
             "extendedKeyUsage=critical,timeStamping"])
        self.tsa_config = os.path.join(folder, "tsa.cnf")
        with open(self.tsa_config, "w") as f:
            f.write(_TSA_CONFIG.format(folder=folder))

    def environment(self, timestamp_url=None):
        """The signing variables of the release for this publisher."""
        variables = {"FROSTLANE_SIGN_PFX": self.pfx, "FROSTLANE_SIGN_PASSWORD": PASSWORD}
        if timestamp_url:
            variables["FROSTLANE_SIGN_TIMESTAMP_URL"] = timestamp_url
        return variables

    def start_time_stamp_authority(self):
        """Answers RFC 3161 requests posted to the returned URL, on 127.0.0.1,
        until stop_time_stamp_authority()."""
        pki = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_POST(self):
                query = self.rfile.read(int(self.headers.get("Content-Length", 0)))
                with tempfile.TemporaryDirectory() as scratch:
                    query_file, reply_file = os.path.join(scratch, "query"), os.path.join(scratch, "reply")
                    with open(query_file, "wb") as f:
                        f.write(query)
                    result = subprocess.run(["openssl", "ts", "-reply", "-config", pki.tsa_config, "-queryfile",
                                             query_file, "-inkey", pki.tsa_key, "-signer", pki.tsa_certificate,
                                             "-out", reply_file], capture_output=True)
                    reply = b""
                    if result.returncode == 0:
                        with open(reply_file, "rb") as f:
                            reply = f.read()
                self.send_response(200 if reply else 500)
                self.send_header("Content-Type", "application/timestamp-reply")
                self.send_header("Content-Length", str(len(reply)))
                self.end_headers()
                self.wfile.write(reply)

            def log_message(self, *args):
                pass

        self._tsa = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        threading.Thread(target=self._tsa.serve_forever, daemon=True).start()
        return "http://127.0.0.1:%d/" % self._tsa.server_address[1]

    def stop_time_stamp_authority(self):
        self._tsa.shutdown()
        self._tsa.server_close()


def osslsigncode(*args):
    """Runs osslsigncode; a CompletedProcess with its output and errors as text."""
    return subprocess.run(["osslsigncode", *args], capture_output=True, text=True)


def check_time_stamp(test, signed_path, pki):
    """Fails `test` unless the signature in signed_path carries an RFC 3161 time
    stamp from this PKI's authority that covers that very signature."""
    signature = authenticode.signature_of(signed_path)
    test.assertIsNotNone(signature.time_stamp, "the signature carries no time stamp")
    stamp = signature.time_stamp
    test.assertEqual((stamp.signer_subject, stamp.signer_issuer), (TSA_NAME, CA_NAME), "stamped by another authority")
    test.assertTrue(stamp.covers_signature, "the time stamp is for another signature")
    verified, report = authenticode.time_stamp_verifies(signature, pki.ca)
    test.assertTrue(verified, "openssl does not accept the time stamp: " + report)


def without_signature(signed_path, folder):
    """The bytes of the signed file with its signature removed by osslsigncode."""
    stripped = os.path.join(folder, "without-signature.exe")
    result = osslsigncode("remove-signature", "-in", signed_path, "-out", stripped)
    if result.returncode != 0:
        raise AssertionError("osslsigncode remove-signature failed: " + result.stdout + result.stderr)
    with open(stripped, "rb") as f:
        data = f.read()
    os.remove(stripped)
    return data
