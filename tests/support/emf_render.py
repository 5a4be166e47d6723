#!/usr/bin/python3
"""emf_render.py [--dpi N] IN.emf OUT.png [IN2.emf OUT2.png ...]

Renders enhanced metafiles with LibreOffice Draw (headless, driven through UNO) into PNG
files, one LibreOffice start for all of them. Draw imports a metafile as one picture on an A4
page; the page is shrunk to the picture (the metafile's frame) before the export, so pixel
(0, 0) is the frame's top-left corner and the PNG measures frame size x dpi. A picture larger
than the A4 page less its 10 mm margins is first scaled down by Draw to fit them.

Runs with Debian's /usr/bin/python3 (package python3-uno).

Exit status: 0 when every file was rendered; 1 when LibreOffice refused a file or drew nothing
(it loads a damaged EMF silently as an empty page); 2 for bad arguments; 3 when LibreOffice or
its Python bridge is not installed.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

try:
    import uno
    from com.sun.star.awt import Point
    from com.sun.star.beans import PropertyValue
    from com.sun.star.connection import NoConnectException
except ImportError:
    print("emf_render: python3-uno is not installed", file=sys.stderr)
    sys.exit(3)

START_TIMEOUT_S = 90


def prop(name, value):
    p = PropertyValue()
    p.Name, p.Value = name, value
    return p


def content_box(page):
    """Bounding box (1/100 mm) of the shapes on a page, or None when there is nothing."""
    n = page.getCount()
    if n == 0:
        return None
    boxes = []
    for k in range(n):
        shape = page.getByIndex(k)
        p, s = shape.getPosition(), shape.getSize()
        boxes.append((p.X, p.Y, p.X + s.Width, p.Y + s.Height))
    box = (min(b[0] for b in boxes), min(b[1] for b in boxes),
           max(b[2] for b in boxes), max(b[3] for b in boxes))
    if box[2] <= box[0] and box[3] <= box[1]:
        return None
    return box


def crop_to_content(page, box):
    page.BorderLeft = page.BorderRight = page.BorderTop = page.BorderBottom = 0
    for k in range(page.getCount()):
        shape = page.getByIndex(k)
        p = shape.getPosition()
        shape.setPosition(Point(p.X - box[0], p.Y - box[1]))
    page.Width, page.Height = box[2] - box[0], box[3] - box[1]


def export_png(smgr, ctx, page, dst, dpi):
    width_px = max(1, int(round(page.Width / 2540.0 * dpi)))
    height_px = max(1, int(round(page.Height / 2540.0 * dpi)))
    exporter = smgr.createInstanceWithContext('com.sun.star.drawing.GraphicExportFilter', ctx)
    exporter.setSourceDocument(page)
    data = uno.Any('[]com.sun.star.beans.PropertyValue',
                   (prop('PixelWidth', width_px), prop('PixelHeight', height_px)))
    if os.path.exists(dst):
        os.remove(dst)
    uno.invoke(exporter, 'filter', ((prop('URL', uno.systemPathToFileUrl(dst)),
                                     prop('MediaType', 'image/png'),
                                     prop('FilterData', data)),))
    return os.path.isfile(dst)


def render(desktop, smgr, ctx, src, dst, dpi):
    load = (prop('Hidden', True), prop('ReadOnly', True))
    try:
        doc = desktop.loadComponentFromURL(uno.systemPathToFileUrl(src), '_blank', 0, load)
    except Exception as e:  # LibreOffice raises IllegalArgumentException, IOException ...
        print("emf_render: LibreOffice could not load %s: %s" % (src, e), file=sys.stderr)
        return 1
    if doc is None or not hasattr(doc, 'getDrawPages'):
        print("emf_render: LibreOffice did not open %s as a drawing" % src, file=sys.stderr)
        return 1
    try:
        page = doc.getDrawPages().getByIndex(0)
        box = content_box(page)
        if box is None:
            print("emf_render: %s: nothing drawn" % src, file=sys.stderr)
            return 1
        crop_to_content(page, box)
        if not export_png(smgr, ctx, page, dst, dpi):
            print("emf_render: export of %s failed" % src, file=sys.stderr)
            return 1
        print("%s: page %.2f x %.2f mm" % (os.path.basename(src), page.Width / 100.0,
                                           page.Height / 100.0))
        return 0
    finally:
        doc.close(True)


def connect(proc, pipe):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        'com.sun.star.bridge.UnoUrlResolver', local)
    deadline = time.time() + START_TIMEOUT_S
    while time.time() < deadline:
        try:
            return resolver.resolve('uno:pipe,name=%s;urp;StarOffice.ComponentContext' % pipe)
        except NoConnectException:
            if proc.poll() is not None:
                return None
            time.sleep(0.3)
    return None


def run(jobs, dpi):
    soffice = shutil.which('soffice')
    if not soffice:
        print("emf_render: soffice is not installed", file=sys.stderr)
        return 3
    tmp = tempfile.mkdtemp(prefix='emf_render.')
    pipe = 'emf_render_%d' % os.getpid()
    proc = subprocess.Popen(
        [soffice, '-env:UserInstallation=' + uno.systemPathToFileUrl(tmp + '/profile'),
         '--headless', '--invisible', '--nologo', '--norestore', '--nodefault', '--nolockcheck',
         '--accept=pipe,name=%s;urp;StarOffice.ComponentContext' % pipe],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    desktop = None
    try:
        ctx = connect(proc, pipe)
        if ctx is None:
            print("emf_render: LibreOffice did not start", file=sys.stderr)
            return 3
        smgr = ctx.ServiceManager
        desktop = smgr.createInstanceWithContext('com.sun.star.frame.Desktop', ctx)
        return max(render(desktop, smgr, ctx, src, dst, dpi) for src, dst in jobs)
    finally:
        try:
            if desktop is not None:
                desktop.terminate()
        except Exception:  # the bridge closes while LibreOffice quits
            pass
        try:
            proc.wait(timeout=30)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
        shutil.rmtree(tmp, ignore_errors=True)


def main(argv):
    args = argv[1:]
    dpi = 96
    if len(args) >= 2 and args[0] == '--dpi':
        dpi = int(args[1])
        args = args[2:]
    if not args or len(args) % 2:
        print(__doc__, file=sys.stderr)
        return 2
    jobs = [(os.path.abspath(args[i]), os.path.abspath(args[i + 1]))
            for i in range(0, len(args), 2)]
    for src, _ in jobs:
        if not os.path.isfile(src):
            print("emf_render: cannot read %s" % src, file=sys.stderr)
            return 2
    return run(jobs, dpi)


if __name__ == '__main__':
    sys.exit(main(sys.argv))
