#!/usr/bin/env bash
# scripts/package run in two clean build trees gives byte-identical zips, holding ferrix.exe,
# 说明.txt (GBK, CRLF line ends, every job-file key) and SHA256SUMS that match both.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for run in first second; do
  FERRIX_BUILD=$work/$run FERRIX_DIST=$work/$run/dist "$root/scripts/package" >/dev/null
done
cmp "$work"/{first,second}/dist/ferrix-0.1-win32.zip
python3 - "$work/first/dist/ferrix-0.1-win32.zip" <<'PYTHON'
import hashlib, sys, zipfile
archive = zipfile.ZipFile(sys.argv[1])
entries = {entry.filename.encode("cp437"): entry for entry in archive.infolist()}  # no UTF-8 flag
assert list(entries) == [b"SHA256SUMS", b"ferrix.exe", "说明.txt".encode("gbk")], list(entries)
guide = archive.read(entries["说明.txt".encode("gbk")]).decode("gbk")
assert guide.count("\n") == guide.count("\r\n") > 0, "line ends other than CRLF"
for word in ["[Ferrix]", "nsrc", "src0", "dest", "overwriteall", "dontnotify", "speed", "verify",
             "62383", "161181", "92341 为 10240 字节/秒"]:
    assert word in guide, word
for line in archive.read(entries[b"SHA256SUMS"]).split(b"\r\n")[:-1]:
    digest, name = line.split(b"  ")
    assert hashlib.sha256(archive.read(entries[name])).hexdigest().encode() == digest, name
PYTHON
echo "the package: two clean builds, one zip, whose sums match"
