#!/usr/bin/env bash
# Recreates Quillard's sound cues (assets/cues/*.wav) and window pictures
# (assets/pictures/*.png) from nothing but synthesised speech and drawing commands.
#
# Needs (Debian packages): espeak-ng, sox, imagemagick, fonts-dejavu-core.
# Uses optipng or pngcrush too if either is installed (optional).
#
#   assets/make-assets.sh [cues] [pictures]      (both by default)
#
# A developer runs this by hand; the build does not. The generated files are
# committed, so run it only when you mean to change an asset, then commit the
# results together with this script.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cues="$here/cues"
pics="$here/pictures"
mkdir -p "$cues" "$pics"

make_cues=yes
make_pictures=yes
if [[ $# -gt 0 ]]; then
    [[ " $* " == *" cues "* ]] || make_cues=no
    [[ " $* " == *" pictures "* ]] || make_pictures=no
fi
tools=()
[[ $make_cues == yes ]] && tools+=(espeak-ng sox)
[[ $make_pictures == yes ]] && tools+=(convert)
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "make-assets.sh: $tool is missing" >&2; exit 1; }
done

fontdir=/usr/share/fonts/truetype/dejavu
SANS="$fontdir/DejaVuSans.ttf"
SANS_BOLD="$fontdir/DejaVuSans-Bold.ttf"
SERIF_BOLD_ITALIC="$fontdir/DejaVuSerif-BoldItalic.ttf"
MONO_BOLD="$fontdir/DejaVuSansMono-Bold.ttf"
for f in "$SANS" "$SANS_BOLD" "$SERIF_BOLD_ITALIC" "$MONO_BOLD"; do
    [[ -r $f ]] || { echo "make-assets.sh: font $f is missing (install fonts-dejavu-core)" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# ---------------------------------------------------------------------------
# Sound cues: 22050 Hz, mono, 16-bit PCM, silence trimmed at both ends.
# ---------------------------------------------------------------------------
say() { # say FILE "words" [speed]
    local out="$cues/$1" text="$2" speed="${3:-175}"
    espeak-ng -v en-us -s "$speed" -p 45 -w "$work/raw.wav" "$text"
    sox -R -D "$work/raw.wav" -r 22050 -c 1 -b 16 -e signed-integer "$work/trim.wav" \
        silence 1 0.02 1% reverse silence 1 0.02 1% reverse
    # short fades stop clicks at the cut points
    sox -R -D "$work/trim.wav" "$out" norm -1 fade t 0.005 -0 0.01
}

if [[ $make_cues == yes ]]; then
    say Online.wav       "Online"
    say vfoa.wav         "V F O A" 185
    say vfob.wav         "V F O B" 185
    say mem.wav          "Memory"
    say 160m.wav         "One sixty meters" 185
    say 80m.wav          "80 meters"
    say 40m.wav          "40 meters"
    say 30m.wav          "30 meters"
    say 20m.wav          "20 meters"
    say 17m.wav          "17 meters"
    say 15m.wav          "15 meters"
    say 12m.wav          "12 meters"
    say 10m.wav          "10 meters"
    say anttun.wav       "Tuning antenna" 185
    say ant1.wav         "Antenna 1"
    say ant2.wav         "Antenna 2"
    say pon.wav          "Power on"
    say poff.wav         "Power off"
    say tickles.wav      "That tickles!" 185
    say reset.wav        "System reset" 185
    say programming.wav  "Programming"
fi

# ---------------------------------------------------------------------------
# Pictures
# ---------------------------------------------------------------------------
# ImageMagick 6 closes open paths and polylines when it strokes them, so curved
# strokes are drawn as filled polygons instead.
band() { # band CX CY RADIUS WIDTH FROM_DEG TO_DEG: a thick circular arc as a polygon
    awk -v cx="$1" -v cy="$2" -v r="$3" -v w="$4" -v a0="$5" -v a1="$6" 'BEGIN {
        n = 48; ro = r + w / 2; ri = r - w / 2; pi = atan2(0, -1); s = "polygon"
        for (i = 0; i <= n; i++) { t = (a0 + (a1 - a0) * i / n) * pi / 180
            s = s sprintf(" %.2f,%.2f", cx + ro * cos(t), cy + ro * sin(t)) }
        for (i = n; i >= 0; i--) { t = (a0 + (a1 - a0) * i / n) * pi / 180
            s = s sprintf(" %.2f,%.2f", cx + ri * cos(t), cy + ri * sin(t)) }
        print s }'
}
segments() { # segments X,Y X,Y ...: an open line through the points, as line primitives
    local prev="" p out=""
    for p in "$@"; do
        [[ -n $prev ]] && out+="line $prev $p "
        prev=$p
    done
    printf '%s' "$out"
}

crush() { # crush FILE: lossless recompression when a tool for it is present
    if command -v optipng >/dev/null; then
        optipng -quiet -o5 "$1"
    elif command -v pngcrush >/dev/null; then
        pngcrush -q -ow "$1"
    fi
}

if [[ $make_pictures == yes ]]; then

# --- sky.png 640x480: gradient sky with soft white clouds ------------------
convert -size 640x480 gradient:'#1d5fc4'-'#b5dcff' "$work/sky-base.png"
convert -size 640x480 xc:none -fill white \
    -draw 'ellipse 110,95 70,26 0,360'  -draw 'ellipse 160,80 55,32 0,360' \
    -draw 'ellipse 205,100 60,22 0,360' -draw 'ellipse 140,112 80,16 0,360' \
    -draw 'ellipse 440,70 60,20 0,360'  -draw 'ellipse 485,58 45,27 0,360' \
    -draw 'ellipse 530,75 55,18 0,360' \
    -draw 'ellipse 330,210 90,28 0,360' -draw 'ellipse 385,190 65,38 0,360' \
    -draw 'ellipse 300,195 55,30 0,360' -draw 'ellipse 440,215 70,22 0,360' \
    -draw 'ellipse 90,300 60,18 0,360'  -draw 'ellipse 130,288 45,26 0,360' \
    -draw 'ellipse 170,305 55,15 0,360' \
    -draw 'ellipse 540,330 75,22 0,360' -draw 'ellipse 580,312 50,28 0,360' \
    -draw 'ellipse 500,320 40,20 0,360' \
    -draw 'ellipse 260,410 110,20 0,360' -draw 'ellipse 300,395 60,24 0,360' \
    -blur 0x9 "$work/clouds.png"
# a faint grey underside makes the clouds look rounded
convert "$work/clouds.png" -channel A -evaluate multiply 0.25 +channel \
    -fill '#7f93ad' -colorize 100 -channel A -evaluate multiply 1 +channel \
    -roll +0+7 "$work/shade.png"
convert "$work/sky-base.png" "$work/shade.png" -composite "$work/clouds.png" -composite \
    -strip -dither None -colors 255 PNG8:"$pics/sky.png"
crush "$pics/sky.png"

# --- splash.png 400x300: title artwork --------------------------------------
# Radio-wave ripples spread from the lower right corner behind the text. The
# version line under the subtitle is left free: the splash draws it at run
# time from the program's version (DejaVu Sans 13 px, #c8d6f0, baseline at
# 32,220), so the picture need not change with the version.
ripples=()
for r in 60 105 150 195 240 285 330; do
    o=$(awk -v r="$r" 'BEGIN { printf "%.2f", 0.60 - r / 700 }')
    ripples+=(-fill "rgba(95,168,255,$o)" -draw "$(band 400 300 "$r" 4 180 270)")
done
convert -size 400x300 gradient:'#0b1a3a'-'#22468a' \
    \( -size 400x300 xc:none -stroke none "${ripples[@]}" \
       -fill '#8fc8ff' -draw 'circle 400,300 400,282' -blur 0x0.7 \) -composite \
    -fill none -stroke '#ffd27a' -strokewidth 2 -draw 'stroke-linecap round' \
    -draw "$(segments 24,146 44,146 54,126 66,166 78,118 90,174 102,130 114,160 124,146 300,146)" \
    -stroke none \
    -font "$SERIF_BOLD_ITALIC" -pointsize 62 \
    -fill '#00000088' -annotate +33+108 'Quillard' \
    -fill '#f4f7ff' -annotate +30+105 'Quillard' \
    -font "$SANS_BOLD" -pointsize 17 -fill '#ffd27a' -annotate +32+196 'Kenwood TS-570 Radio Control' \
    -fill '#00000055' -draw 'rectangle 0,264 400,300' \
    -font "$SANS" -pointsize 11 -fill '#b8c8e6' -gravity southwest -annotate +32+13 'Written by the Quillard developers' \
    -strip "$work/splash.png"
convert "$work/splash.png" -strip -dither None -colors 255 PNG8:"$pics/splash.png"
crush "$pics/splash.png"

# --- radio-front.png 251x116: transceiver front panel ----------------------
# Drawn at four times the size (1004x464), then reduced, for smooth edges.
panel=(
    # body and top trim strip
    -fill '#2b2d30' -stroke '#111214' -strokewidth 6 -draw 'roundrectangle 6,6 997,457 28,28'
    -stroke none -fill '#35383c' -draw 'roundrectangle 14,14 989,70 20,20'
    -fill '#1d1e20' -draw 'rectangle 8,418 995,430'
    -font "$SANS_BOLD" -pointsize 26 -fill '#c9ccd1' -annotate +36+52 'HF TRANSCEIVER'
    -font "$SANS" -pointsize 24 -fill '#9a9ea5' -annotate +858+52 'TS-570'
    # speaker grille, lower left
    -fill '#1b1c1e' -stroke '#0e0f10' -strokewidth 3 -draw 'roundrectangle 30,250 250,400 14,14'
    -stroke '#3a3d41' -strokewidth 6
    -draw 'line 46,270 234,270' -draw 'line 46,290 234,290' -draw 'line 46,310 234,310'
    -draw 'line 46,330 234,330' -draw 'line 46,350 234,350' -draw 'line 46,370 234,370'
    -draw 'line 46,388 234,388'
    # display window with an LCD
    -stroke '#0c0d0e' -strokewidth 6 -fill '#101a12' -draw 'roundrectangle 270,90 700,230 12,12'
    -stroke none -fill '#8fd99a' -draw 'rectangle 282,102 688,218'
    -fill '#a9e6b2' -draw 'rectangle 282,102 688,130'
    -font "$SANS_BOLD" -pointsize 20 -fill '#1d5a2c'
    -annotate +292+124 'VFO A' -annotate +372+124 'USB' -annotate +430+124 'AGC F' -annotate +628+124 'ANT1'
    -font "$MONO_BOLD" -pointsize 64 -fill '#0f3a1c' -annotate +312+192 '14.000.00'
    # S-meter segments along the bottom of the LCD
    -fill '#1d5a2c'
    -draw 'rectangle 292,202 304,210' -draw 'rectangle 310,202 322,210' -draw 'rectangle 328,202 340,210'
    -draw 'rectangle 346,202 358,210' -draw 'rectangle 364,202 376,210' -draw 'rectangle 382,202 394,210'
    -draw 'rectangle 400,202 412,210'
    -fill '#6fb57a'
    -draw 'rectangle 418,202 430,210' -draw 'rectangle 436,202 448,210' -draw 'rectangle 454,202 466,210'
    # AF and RF knobs, upper left
    -fill '#101112' -draw 'circle 80,150 80,108' -draw 'circle 190,150 190,108'
    -fill '#4a4d52' -draw 'circle 80,150 80,116' -draw 'circle 190,150 190,116'
    -fill '#2f3135' -draw 'circle 80,150 80,126' -draw 'circle 190,150 190,126'
    -stroke '#e8e8e8' -strokewidth 5 -draw 'line 80,122 80,136' -draw 'line 212,128 202,138' -stroke none
    -font "$SANS_BOLD" -pointsize 20 -fill '#b8bcc2' -annotate +66+220 'AF' -annotate +176+220 'RF'
    # two rows of buttons under the display
    -fill '#4b4f55' -stroke '#17181a' -strokewidth 3
    -draw 'roundrectangle 272,256 332,284 6,6' -draw 'roundrectangle 346,256 406,284 6,6'
    -draw 'roundrectangle 420,256 480,284 6,6' -draw 'roundrectangle 494,256 554,284 6,6'
    -draw 'roundrectangle 568,256 628,284 6,6' -draw 'roundrectangle 642,256 700,284 6,6'
    -draw 'roundrectangle 272,310 332,338 6,6' -draw 'roundrectangle 346,310 406,338 6,6'
    -draw 'roundrectangle 420,310 480,338 6,6' -draw 'roundrectangle 494,310 554,338 6,6'
    -fill '#c0392b' -draw 'roundrectangle 568,310 628,338 6,6'
    -fill '#d9a21b' -draw 'roundrectangle 642,310 700,338 6,6'
    -stroke none
    # two small knobs and the power switch
    -fill '#101112' -draw 'circle 300,385 300,362' -draw 'circle 380,385 380,362'
    -fill '#54585e' -draw 'circle 300,385 300,368' -draw 'circle 380,385 380,368'
    -stroke '#e8e8e8' -strokewidth 4 -draw 'line 300,368 300,378' -draw 'line 394,374 387,380' -stroke none
    -fill '#17181a' -draw 'roundrectangle 600,364 700,404 8,8'
    -fill '#6d7178' -draw 'roundrectangle 606,368 694,398 6,6'
    -font "$SANS_BOLD" -pointsize 16 -fill '#1a1b1d' -annotate +623+390 'POWER'
    # large tuning knob on the right
    -fill '#0b0c0d' -draw 'circle 850,250 850,122'
    -fill '#3c3f44' -draw 'circle 850,250 850,130'
    -fill '#26282b' -draw 'circle 850,250 850,146'
    -fill '#45484d' -draw 'circle 846,244 846,152'
    -fill '#2c2e32' -draw 'circle 850,250 850,166'
    -fill '#1a1b1e' -draw 'circle 886,206 886,188'
    -fill '#5a5e64' -draw 'circle 883,203 883,195'
    -stroke '#1a1b1d' -strokewidth 4
    -draw 'line 850,126 850,138' -draw 'line 974,250 962,250' -draw 'line 850,374 850,362' -draw 'line 726,250 738,250'
    -draw 'line 938,162 929,171' -draw 'line 762,162 771,171' -draw 'line 938,338 929,329' -draw 'line 762,338 771,329'
    -stroke none
)
convert -size 1004x464 xc:none "${panel[@]}" "$work/radio-big.png"
convert "$work/radio-big.png" -filter Lanczos -resize 251x116! -strip PNG32:"$pics/radio-front.png"
crush "$pics/radio-front.png"

# --- radio-small.png 100x47: the same panel, small -------------------------
convert "$work/radio-big.png" -filter Lanczos -resize 100x47! -unsharp 0x0.6 -strip PNG32:"$pics/radio-small.png"
crush "$pics/radio-small.png"

# --- smiley.png 32x32: yellow smiley on transparent ------------------------
convert -size 128x128 xc:none \
    -fill '#ffd83a' -stroke '#8a5a00' -strokewidth 6 -draw 'circle 64,64 64,7' \
    -stroke none -fill '#ffe98a' -draw 'ellipse 52,36 24,12 0,360' \
    -fill '#3a2500' -draw 'ellipse 46,50 8,13 0,360' -draw 'ellipse 82,50 8,13 0,360' \
    -draw "path 'M 32,74 Q 64,120 96,74 Q 64,104 32,74 Z'" \
    "$work/smiley-big.png"
convert "$work/smiley-big.png" -filter Lanczos -resize 32x32 -strip PNG32:"$pics/smiley.png"
crush "$pics/smiley.png"

# --- quillard-icon.png 64x64: a quill sending radio waves ------------------
convert -size 256x256 xc:none \
    -fill '#13306b' -stroke '#0a1a3c' -strokewidth 6 -draw 'roundrectangle 8,8 247,247 44,44' \
    -stroke none -fill '#1b4290' -draw 'roundrectangle 16,16 239,124 38,38' \
    -fill '#9fd4ff' -draw "$(band 166 90 26 12 -85 -5)" \
    -fill '#6fb4f4' -draw "$(band 166 90 48 12 -85 -5)" \
    -fill '#4a8fdc' -draw "$(band 166 90 70 12 -83 -7)" \
    -fill '#f6f1e3' \
    -draw "path 'M 166,90 C 120,100 84,150 74,204 C 118,184 160,140 166,90 Z'" \
    -fill '#d8ccae' \
    -draw "path 'M 166,90 C 150,130 116,170 74,204 C 118,184 160,140 166,90 Z'" \
    -stroke '#b0842c' -strokewidth 5 -draw 'line 166,90 62,220' \
    -stroke '#2a1d0a' -strokewidth 7 -draw 'line 62,220 46,240' \
    "$work/icon-big.png"
convert "$work/icon-big.png" -filter Lanczos -resize 64x64 -strip PNG32:"$pics/quillard-icon.png"
crush "$pics/quillard-icon.png"

fi

echo "make-assets.sh: done"
ls -l "$cues" "$pics"
