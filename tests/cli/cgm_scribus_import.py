# Scribus script of the corpus test: imports binary CGM files one after another with Scribus's
# vector import, each into a new document.
#
#   QT_QPA_PLATFORM=offscreen scribus -g -ns -py cgm_scribus_import.py IN.cgm...
#
# One line per file: "OK <path>" when the import put items on the page, else
# "FAILED <path>: <reason>". Scribus itself exits 0 either way.
import sys

import scribus

for path in sys.argv[1:]:
    scribus.newDocument((595, 842), (0, 0, 0, 0), scribus.PORTRAIT, 1,
                        scribus.UNIT_POINTS, scribus.PAGE_1, 0, 1)
    try:
        scribus.placeVectorFile(path, 0, 0)
        print("OK %s" % path if scribus.getPageItems() else "FAILED %s: nothing imported" % path)
    except Exception as e:  # the import raises when Scribus cannot read the file
        print("FAILED %s: %s" % (path, e))
    finally:
        scribus.closeDoc()
    sys.stdout.flush()
