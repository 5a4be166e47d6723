// The prolog: the first thing in every document. A comment header ("%!PS-Adobe-2.0", creator,
// title, bounding box), then one procedure per kind of primitive, each "/name { ... } bind def".
// The drawing that follows never paints directly: it pushes numbers and calls these procedures.
// The drawing state lives in dictionary entries set by short procedures (gc or gb for the
// colour, ep for the line width, ps for the point size, tl for the dash), and every painting
// procedure applies them again, so a grestore never loses them.
//
//   gc / gb   r g b / grey          colour          ppl      xN yN ... x1 y1 N     polyline
//   ep        w                     line width      pfabeg   x y                   polygon start
//   ps        s                     point size      pfacnt   points... m           more points
//   tl        [dashes] offset       dash            pfaend   points... m           last points
//   pfa       istyle                fill (1 = even-odd) or outline
//   ppatbeg   x y pattern           patterned polygon start; ppatend closes and fills it
//   pcreatpat r g b sy sx {<mask>}  leaves a 32 x 32 tiling pattern on the stack
//   ppmp      xN yN ... x1 y1 N     square dots of side pointsize
//   ltx       (text) angle x y      text starting at x y; rtx / ctx x y angle (text): ending at,
//                                   centred on x y
//   DisplayBitmap sx sy x y         paints the procedure named by currentBitmapIndex
//   DisplayImage  W H sx sy x y lenline [numComponents]   followed by hexadecimal pixel rows
#include "output/ps/PSProlog.h"
#include <cstring>

namespace scrivane_ps {

const char *const boundingBoxPlaceholder = "%%BoundingBox: 0 0 xxxx yyyy";

const char *const colorPrologFirst = R"PS(%!PS-Adobe-2.0
%%Creator: Nalder Scrivane 3.7
%%Title: Scrivane
%%BoundingBox: 0 0 xxxx yyyy
%%EndComments
% color header
%
/gc { /colorgblue exch def /colorggreen exch def /colorgred exch def } bind def
/ep { /epaisseur exch def } bind def
/ps { /pointsize exch def } bind def
/tl { /patstart exch def /styleligne exch def } bind def
% Xn Yn ..... X1 Y1 N colour width style  ppl
/ppl { /m exch def
 colorgred colorggreen colorgblue setrgbcolor
 epaisseur setlinewidth
 styleligne patstart setdash
 newpath moveto
 m 1 sub {lineto} repeat
 stroke closepath } bind def
%pfa et pfas decomp pour niv1
/pfabeg { [] 0 setdash
 epaisseur setlinewidth
 colorgred colorggreen colorgblue setrgbcolor
 newpath moveto } bind def
/pfacnt { /m exch def m {lineto} repeat } bind def
/pfaend { /m exch def m {lineto} repeat closepath } bind def
% istyle pfa
/pfa { /istyle exch def 1 istyle eq {eofill} {stroke} ifelse } bind def
% Pattern
/ppatbeg { /Pattern setcolorspace setcolor newpath moveto } bind def
/ppatend { /m exch def m {lineto} repeat closepath fill } bind def
/pcreatpat { /patproc exch def /patscalex exch def /patscaley exch def
 /patblue exch def /patgreen exch def /patred exch def
 patscalex patscaley scale
 << /PaintType 1 /PatternType 1 /TilingType 1
    /BBox [0 0 32 32] /XStep 32 /YStep 32
    /PaintProc [ /pop cvx patred patgreen patblue /setrgbcolor cvx
                 /gsave cvx 32 32 true [1 0 0 1 0 0] /patproc load /imagemask cvx
                 /grestore cvx ] cvx
 >> matrix makepattern
 1.0 patscalex div 1.0 patscaley div scale } bind def
% Xn Yn ..... X1 Y1 N colour ppmp
/ppmp { /m exch def
 colorgred colorggreen colorgblue setrgbcolor
 pointsize setlinewidth [] 0 setdash 0 setlinecap
 m { newpath moveto pointsize -2 div 0 rmoveto pointsize 0 rlineto stroke closepath } repeat
 linecap setlinecap } bind def
)PS";

const char *const colorPrologSecond = R"PS(% left text
/ltx { colorgred colorggreen colorgblue setrgbcolor
 gsave translate rotate 0.0 0.0 moveto show grestore } bind def
% right text
/rtx { colorgred colorggreen colorgblue setrgbcolor
 gsave /str exch def /angle exch def translate
 /wx str stringwidth pop def
 wx neg angle cos mul wx neg angle sin mul moveto
 angle rotate str show grestore } bind def
% center text
/ctx { colorgred colorggreen colorgblue setrgbcolor
 gsave /str exch def /angle exch def translate
 /wxdiv2 str stringwidth pop 2 div def
 wxdiv2 neg angle cos mul wxdiv2 neg angle sin mul moveto
 angle rotate str show grestore } bind def
% Display the current bitmap (scaleX scaleY x y DisplayBitmap)
/DisplayBitmap { colorgred colorggreen colorgblue setrgbcolor
 gsave translate scale currentBitmapIndex grestore } bind def
/DisplayImage { gsave /numComponents exch def /lenline exch def
 /line lenline string def
 translate scale
 /columns exch def /rows exch def
 newpath 0 0 moveto
 rows columns 8 [rows 0 0 columns 0 0]
 { currentfile line readhexstring pop }
 false numComponents colorimage
 grestore } bind def
% end
)PS";

const char *const greyPrologFirst = R"PS(%!PS-Adobe-2.0
%%Creator: Nalder Scrivane 1.0
%%Title: Scrivane
%%BoundingBox: 0 0 xxxx yyyy
%%EndComments
% black & white header
%
/gb { /colorg exch def } bind def
/ep { /epaisseur exch def } bind def
/ps { /pointsize exch def } bind def
/tl { /patstart exch def /styleligne exch def } bind def
% Xn Yn ..... X1 Y1 N colour width style  ppl
/ppl { /m exch def
 colorg setgray
 epaisseur setlinewidth
 styleligne patstart setdash
 newpath moveto
 m 1 sub {lineto} repeat
 stroke closepath } bind def
%pfa et pfas decomp pour niv1
/pfabeg { [] 0 setdash
 epaisseur setlinewidth
 colorg setgray
 newpath moveto } bind def
/pfacnt { /m exch def m {lineto} repeat } bind def
/pfaend { /m exch def m {lineto} repeat closepath } bind def
% istyle pfa
/pfa { /istyle exch def 1 istyle eq {eofill} {stroke} ifelse } bind def
% Pattern
/ppatbeg { /Pattern setcolorspace setcolor newpath moveto } bind def
/ppatend { /m exch def m {lineto} repeat closepath fill } bind def
/pcreatpat { /patproc exch def /patscalex exch def /patscaley exch def
 /patblue exch def /patgreen exch def /patred exch def
 patscalex patscaley scale
 << /PaintType 1 /PatternType 1 /TilingType 1
    /BBox [0 0 32 32] /XStep 32 /YStep 32
    /PaintProc [ /pop cvx patred patgreen patblue /setrgbcolor cvx
                 /gsave cvx 32 32 true [1 0 0 1 0 0] /patproc load /imagemask cvx
                 /grestore cvx ] cvx
 >> matrix makepattern
 1.0 patscalex div 1.0 patscaley div scale } bind def
% Xn Yn ..... X1 Y1 N colour ppmp
/ppmp { /m exch def
 colorg setgray
 pointsize setlinewidth [] 0 setdash 0 setlinecap
 m { newpath moveto pointsize -2 div 0 rmoveto pointsize 0 rlineto stroke closepath } repeat
 linecap setlinecap } bind def
% left text
/ltx { colorg setgray
 gsave translate rotate 0.0 0.0 moveto show grestore } bind def
% right text
/rtx { colorg setgray
 gsave /str exch def /angle exch def translate
 /wx str stringwidth pop def
 wx neg angle cos mul wx neg angle sin mul moveto
 angle rotate str show grestore } bind def
% center text
/ctx { colorg setgray
 gsave /str exch def /angle exch def translate
 /wxdiv2 str stringwidth pop 2 div def
 wxdiv2 neg angle cos mul wxdiv2 neg angle sin mul moveto
 angle rotate str show grestore } bind def
/DisplayBitmap { colorg setgray
 gsave translate scale currentBitmapIndex grestore } bind def
)PS";

const char *const greyPrologSecond = R"PS(/DisplayImage { gsave /lenline exch def
 /line lenline string def
 translate scale
 /columns exch def /rows exch def
 newpath 0 0 moveto
 rows columns 8 [rows 0 0 columns 0 0]
 { currentfile line readhexstring pop } image
 grestore } bind def
% end
)PS";

void writePrologText(FILE *fp, const char *text, const PointBox &box) {
    const char *mark = std::strstr(text, boundingBoxPlaceholder);
    if (!mark) {
        std::fputs(text, fp);
        return;
    }
    std::fwrite(text, 1, static_cast<size_t>(mark - text), fp);
    std::fprintf(fp, "%%%%BoundingBox: %d %d %d %d", box.llx, box.lly, box.urx, box.ury);
    std::fputs(mark + std::strlen(boundingBoxPlaceholder), fp);
}

} // namespace scrivane_ps
