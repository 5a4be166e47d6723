# Scribus script of the corpus test: imports binary CGM files one after another with Scribus's
# vector import, each into a new document, and says what the import made.
#
#   QT_QPA_PLATFORM=offscreen scribus -g -ns -py cgm_scribus_import.py IN.cgm...
#
# One line per file: "IMPORTED <items> <path>" (items on the page after the import), or
# "FAILED <path>: <reason>". Scribus itself exits 0 either way.
import sys

import scribus


def import_one(path):
    scribus.newDocument((595, 842), (0, 0, 0, 0), scribus.PORTRAIT, 1,
                        scribus.UNIT_POINTS, scribus.PAGE_1, 0, 1)
    try:
        scribus.placeVectorFile(path, 0, 0)
        print("IMPORTED %d %s" % (len(scribus.getPageItems()), path))
    except Exception as e:  # the import raises when Scribus cannot read the file
        print("FAILED %s: %s" % (path, e))
    finally:
        scribus.closeDoc()
    sys.stdout.flush()


for argument in sys.argv[1:]:
    import_one(argument)
