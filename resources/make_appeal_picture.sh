#!/usr/bin/env bash
# Makes resources/appeal.jpg, the picture shown at the right of the main
# window: our appeal to users in yellow text on a blurred lawn.
#
# Run it from anywhere:   resources/make_appeal_picture.sh
# Needs ImageMagick (convert) and the Noto Sans CJK SC font (fonts-noto-cjk).
# The grass is seeded, so every run produces the same picture.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out="$here/appeal.jpg"

width=237
height=277
seed=20240611
quality=55          # about 20 KB

# Text layout. Every yellow or outline pixel stays inside x 4..221 and
# y 16..194 of the picture; below and to the right of that there is only
# grass. With these numbers the ink (outline included) covers x 8..202 and
# y 20..190, which leaves room for JPEG ringing. The offsets are where
# ImageMagick places each line; the glyphs' ink starts about 4 px lower.
font_size=16
line_pitch=19
text_left=9
text_top=16
indent=$((2 * font_size))     # the first line starts two characters in
text_fill='#FFE400'
outline='#1E1A00'

lines=(
  '这是我们唯一的收入来'
  '源。为了开发和维护这款软'
  '件，我们自掏腰包花了很多'
  '钱，购买了下载网站的会员'
  '账号，这类账号非常适合和'
  '大家一起共享使用。各位朋'
  '友，请动动手指点击注册，'
  '支持一下我们的工作。衷心'
  '感谢大家！'
)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The font ships as a collection (.ttc). ImageMagick would take its first
# face (the Japanese one), so register the Simplified Chinese face by index.
font_file=$(fc-match -f '%{file}' 'Noto Sans CJK SC:style=Bold')
font_index=$(fc-match -f '%{index}' 'Noto Sans CJK SC:style=Bold')
font_family=$(fc-match -f '%{family}' 'Noto Sans CJK SC:style=Bold')
case "$font_family" in
  *'Noto Sans CJK SC'*) ;;
  *) echo "Noto Sans CJK SC not found (fc-match gave: $font_family)" >&2; exit 1 ;;
esac
cat > "$tmp/type.xml" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<typemap>
  <type name="AppealFont" family="Noto Sans CJK SC" weight="700"
        glyphs="$font_file" face="$font_index"/>
</typemap>
EOF
export MAGICK_CONFIGURE_PATH="$tmp${MAGICK_CONFIGURE_PATH:+:$MAGICK_CONFIGURE_PATH}"

# One -annotate per line; they are drawn twice, first as a dark outline
# and then in yellow on top.
text_args=()
for i in "${!lines[@]}"; do
  x=$text_left
  if [ "$i" -eq 0 ]; then x=$((text_left + indent)); fi
  y=$((text_top + i * line_pitch))
  text_args+=(-annotate "+$x+$y" "${lines[$i]}")
done

size="${width}x${height}"

# The lawn: vertical streaks of noise (grass blades) blended with a few
# large soft patches of light and shade, a sprinkle of lighter and darker
# single blades, then mapped onto grass greens and thrown out of focus.
convert -seed "$seed" \
  \( -size "$size" xc:gray50 +noise Random -colorspace Gray \
     -virtual-pixel mirror -motion-blur 0x12+90 -motion-blur 0x5+84 -auto-level \) \
  \( -size 14x16 xc:gray50 +noise Random -colorspace Gray \
     -filter Gaussian -resize "$size!" -auto-level \) \
  -compose Blend -define compose:args=65,35 -composite \
  \( -size "$size" xc:gray50 +noise Random -colorspace Gray -threshold 97% \
     -virtual-pixel black -motion-blur 0x9+95 -auto-level \) \
  -compose Screen -composite \
  \( -size "$size" xc:gray50 +noise Random -colorspace Gray -threshold 96% -negate \
     -virtual-pixel white -motion-blur 0x9+86 -auto-level \) \
  -compose Multiply -composite \
  -sigmoidal-contrast 3x50% \
  \( -size 1x128 gradient:'#0e2708'-'#36731d' \
     -size 1x128 gradient:'#36731d'-'#98c656' -append \) \
  -compose Over -clut \
  -blur 0x1.2 \
  -font AppealFont -pointsize "$font_size" -gravity NorthWest \
  -fill "$outline" -stroke "$outline" -strokewidth 2 "${text_args[@]}" \
  -fill "$text_fill" -stroke none "${text_args[@]}" \
  -strip -interlace none -sampling-factor 1x1 -colorspace sRGB -type TrueColor \
  -quality "$quality" \
  "JPEG:$out"

echo "wrote $out"
