#!/bin/bash
# The per-user installer of one width as a user meets it, in a fresh Wine
# prefix: installed quietly without and with start at logon, upgraded (the
# choice kept), the maker's module library found in the system folder and
# then put beside the program, where it survives installing the same version
# again, a repair and a rebuilt package; the program started from its
# shortcuts against the reference jukebox, one bridge at a time; upgraded and
# uninstalled while it runs (the installer closes it first), and what an
# uninstall leaves: only the files the program wrote and the maker's library.
#   installer-test.sh <x86|x64> <downloads folder> <installers folder> <prefix>
#                     <vantrel_e2e_tests.exe> <vantrel_e2e_tests.exe of the width>
#                     <RefJukebox.exe> <objdump>
set -euo pipefail
width=$1 downloads=$2 installers=$3 prefix=$4 e2e=$5 width_e2e=$6 jukebox=$7 objdump=$8
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
# The maker's library as the user has it: here our stand-in from the tools zip,
# with bytes of its own at the end, so that it differs from any file a package
# could hold.
tools_zip=$(ls "$downloads"/VantrelRemote-tools-*-windows.zip)
(cd "$work" && cmake -E tar xf "$tools_zip")
library_width=x86_64
[ "$width" = x86 ] && library_width=i686
user_library=$work/rzmb.dll
cp "$work/$(basename "$tools_zip" .zip)/$library_width/rzmb.dll" "$user_library"
printf "the user's own copy" >> "$user_library"
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
windows_folder="C:\\users\\$user\\AppData\\Local\\Programs\\VantrelRemote"
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
expect_library_kept() {
    cmp -s "$user_library" "$folder/rzmb.dll" || fail "the maker's rzmb.dll beside the program is gone or changed $1"
}
expect_files() {
    local found
    found=$(cd "$folder" 2>/dev/null && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
    [ "$found" = "$1" ] || fail "the install folder holds '$found', expected '$1'"
}


echo "== $width $version: installed without start at logon, upgraded to $later_version, uninstalled"
installer /i "$package" ADDLOCAL=Program
expect_files "README.txt VantrelLauncher.exe VantrelRemote.exe "
format=pei-x86-64
[ "$width" = x86 ] && format=pei-i386
for program in VantrelRemote.exe VantrelLauncher.exe; do
    "$objdump" -f "$folder/$program" | grep -q "file format $format" || fail "$program is not $format"
done
expect "$version" 0
installer /i "$later"
expect "$later_version" 0
installer /x "$later"
expect "" 0
[ ! -e "$folder" ] || fail "the uninstall left $folder"

echo "== $width $version: installed with start at logon; the maker's library in the system folder, then beside the program"
installer /i "$package"
written="VantrelRemote.RPT rzmb.dll "
if [ "$runs_programs" = 1 ]; then
    # How a 32-bit program names a library of its system folder (system32 or
    # syswow64) is the system's choice: the 64-bit width only.
    if [ "$width" = x64 ]; then
        cp "$user_library" "$prefix/drive_c/windows/system32/rzmb.dll"
        VANTREL_MODULE_LIBRARY='C:\windows\system32\rzmb.dll' \
            expect "$version" 1 StartsFromTheDebugShortcutWithItsModuleLibraryAndSavesItsLogInTheInstallFolder
        rm "$prefix/drive_c/windows/system32/rzmb.dll"
    fi
    written="VantrelRemote.RPT VantrelRemote.log rzmb.dll "
fi
cp "$user_library" "$folder/rzmb.dll"
installer /i "$package"
expect_library_kept "after installing the same version again"
# A repair, as Apps and Features runs one (Wine's msiexec /f takes no
# package); it brings back a file of ours that went missing.
rm "$folder/VantrelLauncher.exe"
installer /i "$package" REINSTALL=ALL REINSTALLMODE=amus
[ -f "$folder/VantrelLauncher.exe" ] || fail "the repair did not bring back VantrelLauncher.exe"
expect_library_kept "after a repair"
installer /i "$(windows_path "$work/rebuilt.msi")"
expect_library_kept "after installing a rebuilt package"
expect "$version" 1
if [ "$runs_programs" = 1 ]; then
    VANTREL_MODULE_LIBRARY="$windows_folder\\rzmb.dll" \
        expect "$version" 1 StartsFromTheDebugShortcutWithItsModuleLibraryAndSavesItsLogInTheInstallFolder
    # Our hid.dll and setupapi.dll for the installed program (the test puts
    # them beside it), of its width, for the simulated remote.
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" e2e=$width_e2e \
        expect "$version" 1 TheStartMenuEntriesKeepOneBridgeRunning
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
expect_library_kept "after the upgrade and the uninstall"
! wine_run reg query 'HKCU\Software\VantrelRemote' >/dev/null 2>&1 || fail "HKCU\\Software\\VantrelRemote is left"
wine_stop
echo "$width: installed, upgraded and uninstalled as expected; left only $written"
