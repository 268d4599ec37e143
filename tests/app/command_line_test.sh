#!/bin/sh
# The program's command line, case by case: arguments, expected exit code,
# text expected in the output. $1 is the program, $2 a settings file.
program=$1
export TALVORAN_SETTINGS_FILE=$2
failures=0
check() {
    expected_code=$1 expected_text=$2
    shift 2
    out=$("$@" 2>&1)
    code=$?
    if [ "$code" -ne "$expected_code" ] || ! printf '%s' "$out" | grep -q -- "$expected_text"; then
        echo "FAILED: $* -> exit $code (expected $expected_code), output:"
        echo "$out"
        failures=$((failures + 1))
    fi
}
check 0 "usage: talvoran" "$program" --help
check 2 "--screenshot needs a value" "$program" --screenshot
check 2 "--quit-after-frames needs a value" "$program" --quit-after-frames
check 2 "needs --quit-after-frames" "$program" --screenshot shot.png
check 2 "unknown argument: --frobnicate" "$program" --frobnicate
check 1 "no display found" env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$program"
check 1 "cannot write the screenshot /nonexistent/folder/shot.png" \
    env SDL_VIDEODRIVER=offscreen "$program" --quit-after-frames 3 --screenshot /nonexistent/folder/shot.png
echo "$((7 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
