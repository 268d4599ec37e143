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
# A screenshot over a picture the program may not finish keeps the older
# one: a folder of that name is refused and stays a folder.
folder=$(mktemp -d)
mkdir "$folder/shot.png"
check 1 "cannot write the screenshot $folder/shot.png" \
    env SDL_VIDEODRIVER=offscreen "$program" --quit-after-frames 3 --screenshot "$folder/shot.png"
[ -d "$folder/shot.png" ] || { echo "FAILED: the folder shot.png was replaced"; failures=$((failures + 1)); }
# The file size limit stops the write part way (the signal ignored, so the
# write fails instead): the older picture stays, byte for byte.
printf 'older' > "$folder/kept.png"
chmod 600 "$folder/kept.png"
check 1 "cannot write the screenshot $folder/kept.png" sh -c "trap '' XFSZ; ulimit -f 4; exec env \
    SDL_VIDEODRIVER=offscreen '$program' --quit-after-frames 3 --screenshot '$folder/kept.png'"
[ "$(cat "$folder/kept.png")" = older ] || { echo "FAILED: the older screenshot was lost"; failures=$((failures + 1)); }
check 0 "" env SDL_VIDEODRIVER=offscreen "$program" --quit-after-frames 3 --screenshot "$folder/kept.png"
[ "$(stat -c %a "$folder/kept.png")" = 600 ] || { echo "FAILED: the screenshot's mode changed"; failures=$((failures + 1)); }
[ "$(ls -A "$folder" | wc -l)" = 2 ] || { echo "FAILED: files left beside the screenshot"; ls -A "$folder"; failures=$((failures + 1)); }
rm -rf "$folder"
echo "$((10 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
