#!/bin/sh
# Seams between the faces of a lit cube seen from a corner, with and without joining coplanar
# faces, in the painter mode and without removal (where the back faces, drawn after the front
# ones, show): the command writes the cube as PostScript and as PDF each way; Ghostscript
# renders the PostScript and poppler's pdftoppm the PDF, each with anti-aliasing (as viewers
# do) and without (the reference), and scrivane_seam_count counts the pixels inside the faces
# (2 pixels from their edges) that the anti-aliased rendering does not fill with the face's
# colour.
#
#   bench/seams.sh SCRIVANE SEAM_COUNT [OUTPUT_DIR] [DPI]
#
# e.g. bench/seams.sh build/tools/scrivane build-bench/bench/scrivane_seam_count /tmp/seams 300.
# Prints one line per drawing. Other renderers can be measured the same way:
# scrivane_seam_count REFERENCE.png ANTIALIASED.png.
set -eu
scrivane=$1
count=$2
out=${3:-seams}
dpi=${4:-300}
mkdir -p "$out"
cat > "$out/cube-corner.iv" <<'EOF'
#Inventor V2.1 ascii
Separator {
  OrthographicCamera {
    position 2 2 2
    orientation -0.70710678 0.70710678 0 0.95531662
    nearDistance 1
    farDistance 6
    height 3.6
  }
  DirectionalLight { direction -0.3 -0.5 -1 }
  Material { diffuseColor 0.8 0.3 0.2 }
  Cube { }
}
EOF
for mode in visible-painter painter none; do
    for join in join no-join; do
        flag=
        [ "$join" = no-join ] && flag=--no-join
        name=cube-$mode-$join
        for format in ps pdf; do
            "$scrivane" "$out/cube-corner.iv" --lighting --hidden $mode --border 0 --colors keep \
                --paper 100x100 --margin 10 $flag -o "$out/$name.$format"
        done
        for bits in 1 4; do
            gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r"$dpi" -dGraphicsAlphaBits=$bits \
                -dDEVICEWIDTHPOINTS=284 -dDEVICEHEIGHTPOINTS=284 -dFIXEDMEDIA \
                -sOutputFile="$out/$name-aa$bits.png" "$out/$name.ps"
        done
        pdftoppm -r "$dpi" -png -singlefile -aa no -aaVector no "$out/$name.pdf" "$out/$name-pdf-aa1"
        pdftoppm -r "$dpi" -png -singlefile -aa yes -aaVector yes "$out/$name.pdf" "$out/$name-pdf-aa4"
        printf '%-30s %3s polygons, %5s bytes PS, %5s bytes PDF\n' "$name" \
            "$(grep -c -E '^[0-9]+ (pfaend|ppatend)$' "$out/$name.ps")" "$(wc -c < "$out/$name.ps")" \
            "$(wc -c < "$out/$name.pdf")"
        printf '  Ghostscript: '
        "$count" "$out/$name-aa1.png" "$out/$name-aa4.png"
        printf '  pdftoppm:    '
        "$count" "$out/$name-pdf-aa1.png" "$out/$name-pdf-aa4.png"
    done
done
