# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""What an Authenticode signature in a signed program says, read from the
signature itself rather than from any tool's report of it, so the release tests
hold whichever osslsigncode version signed or verified the file.

signature_of(path) takes the PKCS#7 SignedData out of the PE file's security
directory and returns a Signature: the digest algorithms, the program name and
URL the publisher gave, and the RFC 3161 time stamp if there is one.
time_stamp_verifies() asks openssl whether that time stamp is a valid token of
an authority that chains to the given CA and covers this very signature."""
import hashlib
import os
import struct
import subprocess
import tempfile
from dataclasses import dataclass
from typing import Optional

import pefile
from asn1crypto import algos, cms, core
from asn1crypto import tsp  # noqa: F401 - teaches cms.ContentInfo the time-stamp token's content

WIN_CERT_TYPE_PKCS_SIGNED_DATA = 0x0002
SPC_SP_OPUS_INFO = "1.3.6.1.4.1.311.2.1.12"
SPC_RFC3161_TIME_STAMP = "1.3.6.1.4.1.311.3.3.1"


class _SpcString(core.Choice):
    _alternatives = [("unicode", core.BMPString, {"implicit": 0}), ("ascii", core.IA5String, {"implicit": 1})]


class _SpcLink(core.Choice):
    _alternatives = [("url", core.IA5String, {"implicit": 0}), ("moniker", core.Any, {"implicit": 1}),
                     ("file", _SpcString, {"explicit": 2})]


class _SpcSpOpusInfo(core.Sequence):
    _fields = [("program_name", _SpcString, {"explicit": 0, "optional": True}),
               ("more_info", _SpcLink, {"explicit": 1, "optional": True})]


class _SpcIndirectDataContent(core.Sequence):
    _fields = [("data", core.Any), ("message_digest", algos.DigestInfo)]


@dataclass
class TimeStamp:
    token: bytes              # the RFC 3161 token (a CMS ContentInfo), DER
    signer_subject: str       # the authority's certificate, as named in the token
    signer_issuer: str
    covers_signature: bool    # its message imprint is the hash of the signature value


@dataclass
class Signature:
    file_digest_algorithm: str
    signer_digest_algorithm: str
    program_name: Optional[str]
    url: Optional[str]
    signature_value: bytes
    time_stamp: Optional[TimeStamp]


def _signed_data_bytes(path):
    with open(path, "rb") as f:
        data = f.read()
    pe = pefile.PE(data=data, fast_load=True)
    # The security directory's address is a file offset, not a virtual address.
    entry = pe.OPTIONAL_HEADER.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_SECURITY"]]
    if entry.VirtualAddress == 0 or entry.Size < 8:
        raise AssertionError(f"{path} carries no signature")
    length, _, certificate_type = struct.unpack_from("<IHH", data, entry.VirtualAddress)
    if certificate_type != WIN_CERT_TYPE_PKCS_SIGNED_DATA:
        raise AssertionError(f"{path}: the certificate table holds type {certificate_type}, not PKCS#7")
    return data[entry.VirtualAddress + 8:entry.VirtualAddress + length]


def _attribute(attributes, oid):
    for attribute in attributes or []:
        if attribute["type"].dotted == oid:
            return attribute["values"][0].dump()
    return None


def _time_stamp(der, signature_value):
    token = cms.ContentInfo.load(der)
    signed = token["content"]
    tst_info = signed["encap_content_info"]["content"].parsed
    imprint = tst_info["message_imprint"]
    algorithm = imprint["hash_algorithm"]["algorithm"].native
    signer_id = signed["signer_infos"][0]["sid"].chosen
    signer = next(certificate.chosen for certificate in signed["certificates"]
                  if certificate.chosen.issuer == signer_id["issuer"]
                  and certificate.chosen.serial_number == signer_id["serial_number"].native)
    return TimeStamp(token=der, signer_subject=signer.subject.native.get("common_name", ""),
                     signer_issuer=signer.issuer.native.get("common_name", ""),
                     covers_signature=imprint["hashed_message"].native ==
                     hashlib.new(algorithm, signature_value).digest())


def signature_of(path):
    signed = cms.ContentInfo.load(_signed_data_bytes(path))["content"]
    indirect = _SpcIndirectDataContent.load(signed["encap_content_info"]["content"].dump(), explicit=0)
    signer = signed["signer_infos"][0]
    opus = _attribute(signer["signed_attrs"], SPC_SP_OPUS_INFO)
    opus = _SpcSpOpusInfo.load(opus) if opus else None
    program_name = opus["program_name"].native if opus and opus["program_name"].native else None
    url = opus["more_info"].native if opus and opus["more_info"].name == "url" else None
    value = signer["signature"].native
    stamp = _attribute(signer["unsigned_attrs"], SPC_RFC3161_TIME_STAMP)
    return Signature(file_digest_algorithm=indirect["message_digest"]["digest_algorithm"]["algorithm"].native,
                     signer_digest_algorithm=signer["digest_algorithm"]["algorithm"].native,
                     program_name=program_name, url=url, signature_value=value,
                     time_stamp=_time_stamp(stamp, value) if stamp else None)


def time_stamp_verifies(signature, ca_file):
    """openssl's verdict (its exit status) on the signature's time stamp: a token
    signed by an authority that chains to ca_file, over the signature value."""
    with tempfile.TemporaryDirectory() as scratch:
        token, value = os.path.join(scratch, "token.der"), os.path.join(scratch, "signature-value")
        with open(token, "wb") as f:
            f.write(signature.time_stamp.token)
        with open(value, "wb") as f:
            f.write(signature.signature_value)
        result = subprocess.run(["openssl", "ts", "-verify", "-token_in", "-in", token, "-data", value,
                                 "-CAfile", ca_file], capture_output=True, text=True)
        return result.returncode == 0, result.stdout + result.stderr
