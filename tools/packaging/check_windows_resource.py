#!/usr/bin/env python3
"""Checks the Windows resources of Pelvorn: the version information block and
the application icon, in a compiled resource file (.res, as windres -O res
writes it) or in the linked program (Pelvorn.exe, read with wrestool from
icoutils), and in the program its manifest.

Usage: check_windows_resource.py RES_OR_EXE_FILE SOURCE_DIR

The expected version is read from the project() call and the copyright line,
company and description from cmake/ApplicationIdentity.cmake; the expected
text form of the version ("1.00.0003" for 1.0.3) is computed here on its own.
Prints one line per fault and exits 1 if there is any.
"""
import re
import struct
import subprocess
import sys
from pathlib import Path

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
# The compatibility GUIDs of Windows 7, 8, 8.1 and 10/11 in the manifest.
SUPPORTED_OS = ["35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"]
LANG_GERMAN_GERMANY, CODE_PAGE_UNICODE = 0x0407, 1200
VOS__WINDOWS32, VFT_APP = 0x4, 0x1


def align4(n):
    return (n + 3) & ~3


def read_id(buf, off):
    """A resource type or name: a number (0xFFFF, id) or a UTF-16 string."""
    if struct.unpack_from("<H", buf, off)[0] == 0xFFFF:
        return struct.unpack_from("<H", buf, off + 2)[0], off + 4
    end = off
    while buf[end:end + 2] != b"\0\0":
        end += 2
    return buf[off:end].decode("utf-16-le"), end + 2


def resources(buf):
    """Yields (type, name, language, data) for each entry of a .res file."""
    off = 0
    while off + 8 <= len(buf):
        data_size, header_size = struct.unpack_from("<II", buf, off)
        rtype, p = read_id(buf, off + 8)
        name, p = read_id(buf, p)
        p = align4(p)
        language = struct.unpack_from("<IHH", buf, p)[2]
        data = buf[off + header_size:off + header_size + data_size]
        if header_size:
            yield rtype, name, language, data
        off = align4(off + header_size + data_size)


def exe_resources(path):
    """Yields (type, name, language, data) for each resource of a program file."""
    listing = subprocess.run(["wrestool", "-l", str(path)], check=True,
                             capture_output=True, text=True).stdout
    for line in listing.splitlines():
        match = re.match(r"--type=(\d+) --name=('?)([^' ]+)\2 --language=(\d+)", line)
        if not match:
            continue
        rtype, quoted, name, language = match.groups()
        data = subprocess.run(["wrestool", "-x", "--raw", f"--type={rtype}", f"--name={name}",
                               f"--language={language}", str(path)],
                              check=True, capture_output=True).stdout
        yield int(rtype), name if quoted else int(name), int(language), data


def version_node(buf, off):
    """One node of VS_VERSIONINFO: (key, value bytes, is_text, children)."""
    length, value_length, is_text = struct.unpack_from("<HHH", buf, off)
    end = off + 6
    while buf[end:end + 2] != b"\0\0":
        end += 2
    key = buf[off + 6:end].decode("utf-16-le")
    p = align4(end + 2)
    value_bytes = value_length * 2 if is_text else value_length
    value = buf[p:p + value_bytes]
    p = align4(p + value_bytes)
    children = []
    while p < off + length:
        child, child_length = version_node(buf, p)
        children.append(child)
        p = align4(p + child_length)
    return (key, value, is_text, children), length


def expected_identity(source_dir):
    top = (source_dir / "CMakeLists.txt").read_text(encoding="utf-8")
    major, minor, patch = map(int, re.search(
        r"project\(\s*Pelvorn\s+VERSION\s+(\d+)\.(\d+)\.(\d+)", top).groups())
    identity = (source_dir / "cmake/ApplicationIdentity.cmake").read_text(encoding="utf-8")
    values = dict(re.findall(r'set\((PELVORN_\w+)\s+"([^"]*)"\)', identity))
    text_version = f"{major}.{minor:02d}.{patch:04d}"
    strings = {
        "CompanyName": values["PELVORN_COMPANY"],
        "FileDescription": values["PELVORN_DESCRIPTION"],
        "FileVersion": text_version,
        "InternalName": "Pelvorn",
        "LegalCopyright": values["PELVORN_COPYRIGHT"],
        "OriginalFilename": "Pelvorn.exe",
        "ProductName": "Pelvorn",
        "ProductVersion": text_version,
    }
    numbers = ((major << 16) | minor, patch)  # 1,0,0,3 as two DWORDs
    return strings, numbers


def manifest_faults(manifests):
    """The program's manifest names Windows 7 to 11 and asks for per-monitor
    DPI awareness (v2, then v1), with the older element for Windows 8.1."""
    if len(manifests) != 1:
        return [f"expected one manifest, found {len(manifests)}"]
    text = manifests[0].decode("utf-8", "replace")
    faults = [f"manifest lacks supportedOS {{{guid}}}" for guid in SUPPORTED_OS
              if f'Id="{{{guid}}}"' not in text]
    for element, value in (("dpiAware", "true/pm"), ("dpiAwareness", "PerMonitorV2, PerMonitor")):
        if not re.search(rf"<{element}\b[^>]*>\s*{re.escape(value)}\s*</{element}>", text):
            faults.append(f"manifest lacks <{element}>{value}</{element}>")
    return faults


def check(res_path, source_dir):
    faults = []
    strings, numbers = expected_identity(source_dir)
    if res_path.suffix.lower() == ".exe":
        entries = list(exe_resources(res_path))
    else:
        entries = list(resources(res_path.read_bytes()))

    versions = [e for e in entries if e[0] == RT_VERSION]
    if len(versions) != 1:
        return [f"expected one version resource, found {len(versions)}"]
    _, _, language, data = versions[0]
    if language != LANG_GERMAN_GERMANY:
        faults.append(f"version resource language {language:#06x}, expected 0x0407")

    (key, fixed, _, children), _ = version_node(data, 0)
    if key != "VS_VERSION_INFO":
        faults.append(f"root key {key!r}")
    (signature, _, file_ms, file_ls, product_ms, product_ls, _, _, file_os, file_type,
     *_) = struct.unpack_from("<13I", fixed)
    if signature != 0xFEEF04BD:
        faults.append("VS_FIXEDFILEINFO signature missing")
    for what, got in (("FILEVERSION", (file_ms, file_ls)), ("PRODUCTVERSION", (product_ms, product_ls))):
        if got != numbers:
            faults.append(f"{what} {got[0] >> 16},{got[0] & 0xFFFF},{got[1] >> 16},{got[1] & 0xFFFF}")
    if file_os != VOS__WINDOWS32:
        faults.append(f"FILEOS {file_os:#x}, expected VOS__WINDOWS32")
    if file_type != VFT_APP:
        faults.append(f"FILETYPE {file_type:#x}, expected VFT_APP")

    blocks = {c[0]: c for c in children}
    tables = blocks.get("StringFileInfo", (None, None, None, []))[3]
    table_keys = [t[0] for t in tables]
    if table_keys != ["040704B0"]:
        faults.append(f"string tables {table_keys}, expected ['040704B0']")
    found = {}
    for table in tables:
        for name, value, _, _ in table[3]:
            found[name] = value.decode("utf-16-le").rstrip("\0")
    for name, want in strings.items():
        if found.get(name) != want:
            faults.append(f"{name} {found.get(name)!r}, expected {want!r}")

    var_info = blocks.get("VarFileInfo", (None, None, None, []))[3]
    translations = [v[1] for v in var_info if v[0] == "Translation"]
    if translations != [struct.pack("<HH", LANG_GERMAN_GERMANY, CODE_PAGE_UNICODE)]:
        faults.append(f"Translation {[t.hex() for t in translations]}, expected 0x0407, 1200")

    groups = [e for e in entries if e[0] == RT_GROUP_ICON]
    if not groups or groups[0][1] != "IDI_ICON1":
        faults.append("first icon group is not IDI_ICON1")
    else:
        _, _, count = struct.unpack_from("<HHH", groups[0][3], 0)
        sizes = [struct.unpack_from("<BBBBHHIH", groups[0][3], 6 + 14 * i) for i in range(count)]
        if [(w, h, bits) for w, h, _, _, _, bits, _, _ in sizes] != [(32, 32, 4)]:
            faults.append(f"application icon {sizes}, expected one 32x32 image of 4 bits per pixel")
        icon_ids = {e[1] for e in entries if e[0] == RT_ICON}
        if any(s[7] not in icon_ids for s in sizes):
            faults.append("icon group names an icon image that is missing")
    if res_path.suffix.lower() == ".exe":
        faults += manifest_faults([e[3] for e in entries if e[0] == RT_MANIFEST])
    return faults


if __name__ == "__main__":
    problems = check(Path(sys.argv[1]), Path(sys.argv[2]))
    for problem in problems:
        print(f"windows resource: {problem}")
    sys.exit(1 if problems else 0)
