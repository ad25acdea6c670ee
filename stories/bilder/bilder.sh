#!/bin/sh
# Macht die Bilder der Geschichte "Das Herz der Turmuhr" neu:
# zeichnet sie (bilder.py), wandelt sie in JPEGs (cjpeg aus Debians
# libjpeg-turbo-progs) und packt sie mit velmo-term --pictures in den
# Bildcontainer stories/uhrmacher.fg (Bild 0 Haus, 1 Onkel, 2 Turmuhr).
#
#   stories/bilder/bilder.sh [VELMO-TERM]
set -eu
hier=$(cd "$(dirname "$0")" && pwd)
term=${1:-$hier/../../build/velmo-term}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
python3 "$hier/bilder.py" "$tmp"
for name in haus onkel turmuhr; do
  cjpeg -quality 80 -outfile "$hier/$name.jpg" "$tmp/$name.ppm"
done
cd "$tmp"
"$term" --pictures "$hier/haus.jpg" "$hier/onkel.jpg" "$hier/turmuhr.jpg"
mv grafik.fg "$hier/../uhrmacher.fg"
cat grafik.velmo
