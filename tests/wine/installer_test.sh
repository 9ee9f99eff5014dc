#!/bin/bash
# The NSIS installer under Wine, silent (/S): it puts the program, README and
# licence text into the user's program folder with a Start-menu entry and an
# "Apps" entry, and its uninstaller takes all of it away again. On Windows
# older than 7 SP1 it refuses.
# Usage: installer_test.sh PROGRAM.exe SETUP.exe (PELVORN_WINEPREFIX set)
. "$(dirname "$0")/../e2e/lib.sh"
setup=$2
wine_sh=$(dirname "$0")/wine.sh
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelvorn'
[ -f "$setup" ] || { echo "FAIL - no installer at $setup"; exit 1; }

users=$PELVORN_WINEPREFIX/drive_c/users/$(id -un)
folder=$users/AppData/Local/Programs/Pelvorn
link="$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Pelvorn.lnk"
registered() { "$wine_sh" reg query "$key" /v DisplayVersion 2>/dev/null | grep -q 'REG_SZ *1\.0\.3'; }
gone() { [ ! -e "$folder" ] && [ ! -e "$link" ] && ! registered; }

# Older than Windows 7 SP1 (Wine set to report Vista): it refuses and
# installs nothing.
"$wine_sh" reg add 'HKCU\Software\Wine' /v Version /d vista /f >/dev/null 2>&1
check "on Windows Vista the installer fails and installs nothing" eval '! "$wine_sh" "$setup" /S && gone'
"$wine_sh" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1

check "installer ends with status 0" "$wine_sh" "$setup" /S
check "the installed program is the one built" cmp -s "$program" "$folder/Pelvorn.exe"
check "README.md and LIZENZ.txt installed" test -s "$folder/README.md" -a -s "$folder/LIZENZ.txt"
check "Start-menu entry" test -s "$link"
check "\"Apps\" entry with version 1.0.3" registered

# The uninstaller copies itself elsewhere and returns at once.
"$wine_sh" "$folder/Deinstallieren.exe" /S
check "uninstaller removes folder, Start-menu entry and \"Apps\" entry" wait_until 10 gone
finish
