#!/bin/bash
# Sourced by the scripts that run Windows programs: a private Wine prefix,
# headless, quiet, and without the installers that a first start would wait on.
#   source scripts/wine-prefix.sh <prefix-dir>
# Then: wine_run <program.exe> [args...]; wine_stop at the end.

export WINEPREFIX="$(realpath -m "${1:?prefix directory}")"
export WINEDEBUG=-all
# VANTREL_MORE_DLL_OVERRIDES adds to them, for one run.
export WINEDLLOVERRIDES="mscoree,mshtml=${VANTREL_MORE_DLL_OVERRIDES:+;$VANTREL_MORE_DLL_OVERRIDES}"
# The 64-bit loader for both widths: it starts a 32-bit program through the
# 32-bit loader by itself.
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver

wine_run() { "$WINELOADER" "$@"; }
wine_stop() { "$WINESERVER" -k 2>/dev/null || true; }
# Windows drawn on the X display in $DISPLAY (Xvfb, say) instead of nowhere;
# with no window manager, Wine draws the captions itself.
wine_show_windows() {
    "$WINELOADER" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
    "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    "$WINESERVER" -w
}

source "$(dirname "${BASH_SOURCE[0]}")/x86-support.sh"

# A prefix runs 32-bit programs only if it was made while they could run here
# (WoW64, with the 32-bit system in syswow64): make an older one anew.
ready="$WINEPREFIX/.vantrel-ready-3"
if [ -f "$WINEPREFIX/system.reg" ] && { [ ! -f "$ready" ] ||
        { [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] && x86_runs; }; }; then
    "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
fi

if [ ! -f "$ready" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINELOADER" wineboot --init >/dev/null 2>&1
    "$WINESERVER" -w
    # Windows are created, hidden or "shown", without a display.
    "$WINELOADER" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    # A fault must not wait for a crash dialog.
    "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # The programs that meet the simulated remote load our hid.dll and
    # setupapi.dll from their folder; every other program keeps Wine's.
    for program in VantrelRemote.exe vantrel_device_wine_tests.exe vantrel_standin_wine_tests.exe; do
        for library in hid setupapi; do
            "$WINELOADER" reg add "HKCU\\Software\\Wine\\AppDefaults\\$program\\DllOverrides" \
                /v "$library" /d native /f >/dev/null 2>&1
        done
    done
    "$WINESERVER" -w
    touch "$ready"
fi
