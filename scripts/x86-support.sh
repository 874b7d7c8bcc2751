#!/bin/bash
# Sourced by the scripts that run the i686 build: whether this machine can
# execute 32-bit x86 code at all. Wine's 32-bit loader is itself an i386
# program, so it answers for every 32-bit Windows program the scripts start.
x86_runs() {
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The one line said where the i686 programs are built but cannot be run.
x86_unavailable_line() {
    echo "== This machine cannot execute 32-bit x86 code (its kernel runs no IA-32 programs): the i686 build is compiled and linked, its Wine runs are skipped"
}
