#!/usr/bin/env bash
# The program starts past the splash and its start-up steps (the thumbnail
# atlas among them) with a textures folder of good and hostile files, and
# draws its frames. $1 is the program, $2 a scratch folder.
set -u
program=$1 scratch=$2
rm -rf "$scratch"
textures=$scratch/textures
mkdir -p "$textures"
hex() { printf '%s' "$1" | xxd -r -p > "$textures/$2"; }
# Good: a 2 x 2 PNG, a 2 x 2 BMP of 24 bits (rows padded to 8 bytes), a colour map.
hex 89504e470d0a1a0a0000000d4948445200000002000000020802000000fdd49a730000001249444154789c633821272777428e014201001dd20411df3c1d5b0000000049454e44ae426082 good.png
hex 424d46000000000000003600000028000000020000000200000001001800000000000000000000000000000000000000000000000000ff0000ff00000000ff0000ff000000 good.bmp
printf '0 0 0\n128 64 32\n255 255 255\n' > "$textures/good.map"
# Hostile: a 16-bit binary PGM named like a PNG, Huffman counts over 256, an
# 18-byte TGA header claiming 16384 x 4096 pixels named like a BMP, a PNG cut
# after its header, a BMP whose rows are missing, a FIFO, a folder, an empty file.
printf 'P5\n2 1\n65535\n\001\002\003\004' > "$textures/marble.png"
hex ffd8ffc4100000d8ff huffman.jpg
hex 000002000000000000000000004000101800 tga.bmp
hex 89504e470d0a1a0a0000000d4948445200000002000000020802000000fdd49a73 cut.png
hex 424d46000000000000003600000028000000000400000004000001001800 rows.bmp
mkfifo "$textures/fifo.png"
mkdir "$textures/folder.map"
: > "$textures/empty.jpg"
printf '[Talvoran Vane]\nTextures=%s\n' "$textures" > "$scratch/settings.ini"
out=$(TALVORAN_SETTINGS_FILE=$scratch/settings.ini XDG_DATA_HOME=$scratch/data SDL_VIDEODRIVER=offscreen \
      timeout 300 "$program" --quit-after-frames 320 2>&1)
code=$?
echo "$out"
if [ "$code" -eq 0 ] && printf '%s' "$out" | grep -q 'talvoran: 320 frames drawn'; then
    echo "1 passed, 0 failed"
    exit 0
fi
echo "exit $code"
echo "0 passed, 1 failed"
exit 1
