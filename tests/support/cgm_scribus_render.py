# Scribus script of the CGM tests: imports a binary CGM with Scribus's vector import, lists
# where the importer put each item and exports the page as a PNG.
#
#   QT_QPA_PLATFORM=offscreen scribus -g -ns -py cgm_scribus_render.py IN.cgm OUT.png DPI
#
# The importer chooses its own page and scale; the test derives the mapping from millimetres
# to pixels from the items listed here, one line each:
#   ITEM name x y w h        (points, from the page's top-left corner)
# then "RENDERED", or "FAILED: reason". Scribus itself exits 0 either way.
import sys

import scribus


def run(args):
    if len(args) < 4:
        return "usage: cgm_scribus_render.py IN OUT DPI"
    source, target, dpi = args[1], args[2], int(args[3])
    scribus.newDocument((595, 842), (0, 0, 0, 0), scribus.PORTRAIT, 1,
                        scribus.UNIT_POINTS, scribus.PAGE_1, 0, 1)
    scribus.placeVectorFile(source, 0, 0)
    items = scribus.getPageItems()
    if not items:
        return "nothing imported"
    if len(items) == 1:
        try:
            scribus.unGroupObjects(items[0][0])
        except Exception:
            pass
    for item in scribus.getPageItems():
        x, y = scribus.getPosition(item[0])
        w, h = scribus.getSize(item[0])
        print("ITEM %s %.4f %.4f %.4f %.4f" % (item[0], x, y, w, h))
    export = scribus.ImageExport()
    export.type = 'PNG'
    export.dpi = dpi
    export.scale = 100
    export.saveAs(target)
    return None


error = run(sys.argv)
print("FAILED: " + error if error else "RENDERED")
sys.stdout.flush()
