#!/bin/bash
# Regenerates the committed icon files from make-icon.py: the 32x32 XPM
# (window icon), the SVG, the 32x32 PNG for the hicolor theme and the Windows
# icon (32x32, 4 bits per pixel with a transparency mask).
# Needs python3 and ImageMagick (apt-get install imagemagick).
set -euo pipefail
cd "$(dirname "$0")"
python3 make-icon.py .
convert pelvorn.xpm -strip pelvorn.png
convert pelvorn.xpm -type PaletteAlpha pelvorn.ico
