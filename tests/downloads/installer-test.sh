#!/bin/bash
# The per-user installer of one width as a user meets it, in a fresh Wine
# prefix: installed quietly without and with start at logon, upgraded (the
# choice kept), the same version installed again, the program started from its
# shortcut against the reference jukebox, upgraded and uninstalled while it
# runs (the installer closes it first), and what an uninstall leaves: only
# the files the program wrote.
#   installer-test.sh <x86|x64> <downloads folder> <installers folder> <prefix>
#                     <vantrel_e2e_tests.exe> <RefJukebox.exe> <objdump>
set -euo pipefail
width=$1 downloads=$2 installers=$3 prefix=$4 e2e=$5 jukebox=$6 objdump=$7
here=$(cd "$(dirname "$0")" && pwd)

msi=$(ls "$downloads"/VantrelRemote-*-"$width".msi 2>/dev/null || true)
if [ -z "$msi" ]; then
    echo "no $width installer in $downloads: build the target downloads first"
    exit 1
fi
version=$(basename "$msi" "-$width.msi")
version=${version#VantrelRemote-}
IFS=. read -r major minor patch _ <<< "$version"
later_version=$major.$minor.$((patch + 1)).0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build_msi() {
    bash "$here/../../tools/installer/build-msi.sh" "$installers/VantrelRemote.wxs" "$width" "$1" "$2" >/dev/null
}
cp "$msi" "$work/package.msi"
build_msi "$later_version" "$work/later.msi"
build_msi "$version" "$work/rebuilt.msi"

source "$(dirname "$0")/../../scripts/x86-support.sh"
runs_programs=1
if [ "$width" = x86 ] && ! x86_runs; then
    # The installer's own action, which closes the running program, is 32-bit
    # too, and Wine would wait for it for ever: the copies go without it.
    x86_unavailable_line
    runs_programs=0
    for copy in package later rebuilt; do
        msibuild "$work/$copy.msi" -q "DELETE FROM InstallExecuteSequence WHERE Action = 'CloseRunningProgram'"
    done
fi

# Wine's own hid.dll and setupapi.dll for the installed program (the prefix
# gives VantrelRemote.exe the build's substitutes, which the installer lacks),
# and no menu entries on this machine's desktop for the shortcuts.
export VANTREL_MORE_DLL_OVERRIDES="hid,setupapi=b;winemenubuilder.exe=d"
rm -rf "$prefix"
bash "$here/../wine-setup.sh" "$prefix" "$jukebox"
source "$here/../../scripts/wine-prefix.sh" "$prefix"

user=$(ls "$prefix/drive_c/users" | grep -vx Public)
folder=$prefix/drive_c/users/$user/AppData/Local/Programs/VantrelRemote
windows_path() { echo "Z:$(echo "$1" | tr / '\\')"; }
package=$(windows_path "$work/package.msi") later=$(windows_path "$work/later.msi")

fail() { echo "$width: $*"; exit 1; }
installer() {
    local code=0
    wine_run msiexec "$@" /qn || code=$?
    [ "$code" -eq 0 ] || fail "msiexec $* ended with $code"
}
# expect <version, or empty for none> <start at logon: 1 or 0> [test name]
expect() {
    VANTREL_INSTALLED_VERSION=$1 VANTREL_START_AT_LOGON=$2 wine_run "$e2e" --gtest_brief=1 \
        --gtest_filter="InstalledProgramTest.${3:-OneProductWithItsShortcutsAndRunValue}" ||
        fail "installed state or program not as expected (version '${1}', start at logon $2)"
}
expect_files() {
    local found
    found=$(cd "$folder" 2>/dev/null && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
    [ "$found" = "$1" ] || fail "the install folder holds '$found', expected '$1'"
}


echo "== $width $version: installed without start at logon, upgraded to $later_version, uninstalled"
installer /i "$package" ADDLOCAL=Program
expect_files "README.txt VantrelRemote.exe rzmb.dll "
format=pei-x86-64
[ "$width" = x86 ] && format=pei-i386
"$objdump" -f "$folder/VantrelRemote.exe" | grep -q "file format $format" || fail "the program is not $format"
expect "$version" 0
installer /i "$later"
expect "$later_version" 0
installer /x "$later"
expect "" 0
[ ! -e "$folder" ] || fail "the uninstall left $folder"

echo "== $width $version: installed with start at logon, again, and rebuilt"
installer /i "$package"
installer /i "$package"
installer /i "$(windows_path "$work/rebuilt.msi")"
expect "$version" 1
written="VantrelRemote.RPT "
if [ "$runs_programs" = 1 ]; then
    expect "$version" 1 StartsFromTheDebugShortcutAndSavesItsLogInTheInstallFolder
    written="VantrelRemote.RPT VantrelRemote.log "
fi
# A crash report, as a fault of the program would leave it.
printf 'crash report\r\n' > "$folder/VantrelRemote.RPT"

echo "== $width: upgraded to $later_version and uninstalled while the program runs"
if [ "$runs_programs" = 1 ]; then
    VANTREL_LATER_MSI=$later VANTREL_LATER_VERSION=$later_version \
        expect "$version" 1 UpgradeAndUninstallCloseTheRunningProgramFirst
else
    installer /i "$later"
    installer /x "$later"
fi
expect "" 0
expect_files "$written"
! wine_run reg query 'HKCU\Software\VantrelRemote' >/dev/null 2>&1 || fail "HKCU\\Software\\VantrelRemote is left"
wine_stop
echo "$width: installed, upgraded and uninstalled as expected; left only $written"
