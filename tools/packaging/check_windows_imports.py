#!/usr/bin/env python3
"""Checks that Windows 7 SP1 can start Pelvorn.exe: every function in the
import table of each program given must be in windows7_imports.txt (the
Windows 7 SP1 exports it may use, with the source of that list), and no DLL
may be one that Windows 7 lacks (the universal C runtime, ucrtbase.dll and
api-ms-win-crt-*, or any other api-ms-win-* set).

Windows refuses to start a program that imports a function its DLLs do not
export, before the program can show any message. Wine exports the newer
functions whatever Windows version it reports, so only this check catches
such an import.

Usage: check_windows_imports.py OBJDUMP LIST PROGRAM.exe...
       check_windows_imports.py --must-refuse NAME[,NAME...] OBJDUMP LIST PROGRAM.exe...

Reads the import tables with OBJDUMP -p. Prints one line per fault and exits
1 if there is any. With --must-refuse (the check's own test, on a program
built to import what Windows 7 lacks) it exits 0 only if there are faults
and each NAME (a function or DLL) is named in one of them.
"""
import re
import subprocess
import sys

# The minimum clients that Windows 7 SP1 covers.
WINDOWS_7_OR_EARLIER = {"2000", "XP", "Vista", "7", "crt"}


def read_list(path):
    """{(DLL in lower case, function)} from LIST; faults for bad lines."""
    allowed, faults = set(), []
    with open(path, encoding="utf-8") as file:
        for number, line in enumerate(file, 1):
            line = line.split("#", 1)[0].split()
            if not line:
                continue
            if len(line) != 3 or line[2] not in WINDOWS_7_OR_EARLIER:
                faults.append(f"{path}:{number}: not \"DLL function minimum-client\" with a client up to 7")
                continue
            allowed.add((line[0].lower(), line[1]))
    return allowed, faults


def imports(objdump, program):
    """[(DLL, function or '#ordinal')] of PROGRAM's import table."""
    text = subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout
    found, dll = [], None
    for line in text.splitlines():
        match = re.match(r"\s*DLL Name: (\S+)", line)
        if match:
            dll = match.group(1)
            found.append((dll, None))
            continue
        if not line.strip():
            dll = None  # a blank line ends the DLL's list
            continue
        # "\t<vma>\t <hint> <name>", or "\t<vma>\t <ordinal>" without a name
        match = re.match(r"\t[0-9a-fA-F]+\t\s*(\d+)(?:\s+(\S+))?\s*$", line)
        if dll and match:
            found.append((dll, match.group(2) or f"#{match.group(1)}"))
    return found


def main():
    arguments, must_refuse = sys.argv[1:], None
    if arguments[:1] == ["--must-refuse"] and len(arguments) > 1:
        must_refuse, arguments = arguments[1].split(","), arguments[2:]
    if len(arguments) < 3:
        print("Usage: check_windows_imports.py [--must-refuse NAME,...] OBJDUMP LIST PROGRAM.exe...",
              file=sys.stderr)
        return 2
    objdump, list_path, programs = arguments[0], arguments[1], arguments[2:]
    allowed, faults = read_list(list_path)
    allowed_dlls = {dll for dll, _ in allowed}
    for program in programs:
        for dll, function in imports(objdump, program):
            name = dll.lower()
            if name.startswith("api-ms-win-") or name == "ucrtbase.dll":
                if function is None:
                    faults.append(f"{program}: imports {dll}, which Windows 7 does not have "
                                  "(universal C runtime or a newer API set)")
                continue
            if function is None:
                if name not in allowed_dlls:
                    faults.append(f"{program}: imports {dll}, which is not in {list_path}")
                continue
            if (name, function) not in allowed and name in allowed_dlls:
                faults.append(f"{program}: imports {dll} {function}, which is not in {list_path} "
                              "(newer than Windows 7? Look it up with GetProcAddress)")
    for fault in faults:
        print(fault)
    if must_refuse is not None:
        missed = [name for name in must_refuse if not any(f" {name}," in fault for fault in faults)]
        for name in missed:
            print(f"FAIL - {name} was not refused")
        if not missed:
            print("ok   - refused: " + ", ".join(must_refuse))
        return 1 if missed or not faults else 0
    if not faults:
        print(f"ok   - {len(programs)} program(s) import only functions of Windows 7 SP1")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
