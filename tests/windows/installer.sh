#!/usr/bin/env bash
# The installer as a user runs it, silently (/S): it installs what the zip holds, a Start-menu
# entry and an uninstaller; the installed program starts from another folder; the uninstaller
# takes away everything the installer put there, files and registry keys.
#   installer.sh SETUP_EXE ZIP
source "$(dirname "$0")/wine-support.sh"
zip=$(realpath "$2")
setup="$scratch/$(basename "$1")"
cp "$1" "$setup"
installed="$drive_c/Program Files/Fuzzlets"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Fuzzlets"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Fuzzlets'
own_key='HKLM\Software\Fuzzlets'

# Every file and folder on drive C:, but for the temporary folders the installers work in and
# this test's own.
drive_c_contents() {
  (cd "$drive_c" && find . \( -path '*/Temp' -o -path "./${scratch#"$drive_c/"}" \) -prune -o -print | sort)
}
registry_has() {
  wine reg query "$1" >/dev/null 2>&1
}

drive_c_contents >"$scratch/before"
registry_has "$uninstall_key" && fail "Fuzzlets was installed before the test"

timeout "$DEADLINE" wine "$setup" /S || fail "the installer ended with status $?"
unzip -q "$zip" -d "$scratch/zip"
(cd "$scratch"/zip/fuzzlets-*-win64 && find . | sort) >"$scratch/zipped"
(cd "$installed" && find . ! -name Uninstall.exe | sort) >"$scratch/installed"
diff "$scratch/zipped" "$scratch/installed" || fail "the installed files are not those of the zip"
[ -f "$installed/Uninstall.exe" ] || fail "no uninstaller"
[ -f "$menu/Fuzzlets.lnk" ] || fail "no Start-menu entry"
registry_has "$uninstall_key" || fail "not listed among the installed programs"
registry_has "$own_key" || fail "its own registry key is missing"
echo "ok: installed the zip's files, a Start-menu entry and an uninstaller"

mkdir "$scratch/elsewhere"
run_and_quit "$installed/fuzzlets.exe" "$scratch/elsewhere"

# The uninstaller copies itself to the temporary folder and goes on from there: wait for its work.
wine "$installed/Uninstall.exe" /S
wait_until "the installed folder to go" test ! -e "$installed"
wait_until "the uninstall registry key to go" eval '! registry_has "$uninstall_key"'
registry_has "$own_key" && fail "its own registry key is still there"
diff "$scratch/before" <(drive_c_contents) || fail "the uninstaller left files behind or took others"
echo "ok: the uninstaller removed everything it installed"
