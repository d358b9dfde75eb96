#!/usr/bin/python3
"""The Excel templates compiled into the program.

Each template lives here as the unzipped parts of its .xlsx, in a folder named
after its resource (CALCULTE/, NOTAPLATA/, ...), XML indented so that a change
reads well in a review. The program carries the parts as Qt resources
(":/xlsx/<NAME>/...", src/reports/xlsx/XlsxTemplateResources.cpp, made by
"resources") and zips them when a template is used.

  xlsx-templates.py unpack FILE.xlsx NAME   the parts of FILE into NAME/ (replaced)
  xlsx-templates.py pack NAME OUT.xlsx      NAME/ zipped, to open and edit in Calc
  xlsx-templates.py resources               templates.qrc and the resource source again
  xlsx-templates.py check                   exit 1 when the resource source is not current
"""

import os
import shutil
import subprocess
import sys
import tempfile
import zipfile
from xml.dom import minidom

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
QRC = os.path.join(HERE, 'templates.qrc')
SOURCE = os.path.join(REPO, 'src', 'reports', 'xlsx', 'XlsxTemplateResources.cpp')
RCC_CANDIDATES = ['/usr/lib/qt6/libexec/rcc', '/usr/lib/qt6/bin/rcc', 'rcc']
FIXED_TIME = (1980, 1, 1, 0, 0, 0)


def is_xml(name):
    return name.endswith('.xml') or name.endswith('.rels')


def escape_text(s):
    return s.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;').replace('\r', '&#13;')


def escape_attr(s):
    return (escape_text(s).replace('"', '&quot;').replace('\n', '&#10;').replace('\t', '&#9;'))


def write_node(node, depth, out):
    """Indents elements that hold only elements; anything holding text is written as it is."""
    pad = '  ' * depth
    if node.nodeType == node.ELEMENT_NODE:
        attrs = ''.join(' %s="%s"' % (k, escape_attr(v)) for k, v in node.attributes.items())
        children = [c for c in node.childNodes
                    if not (c.nodeType == c.TEXT_NODE and not c.data.strip() and
                            any(x.nodeType == x.ELEMENT_NODE for x in node.childNodes))]
        if not children:
            out.append('%s<%s%s/>\n' % (pad, node.tagName, attrs))
        elif all(c.nodeType == c.ELEMENT_NODE for c in children):
            out.append('%s<%s%s>\n' % (pad, node.tagName, attrs))
            for c in children:
                write_node(c, depth + 1, out)
            out.append('%s</%s>\n' % (pad, node.tagName))
        else:
            out.append('%s%s\n' % (pad, inline(node)))
    elif node.nodeType == node.COMMENT_NODE:
        out.append('%s<!--%s-->\n' % (pad, node.data))


def inline(node):
    if node.nodeType == node.TEXT_NODE:
        return escape_text(node.data)
    if node.nodeType == node.CDATA_SECTION_NODE:
        return '<![CDATA[%s]]>' % node.data
    if node.nodeType != node.ELEMENT_NODE:
        return ''
    attrs = ''.join(' %s="%s"' % (k, escape_attr(v)) for k, v in node.attributes.items())
    if not node.childNodes:
        return '<%s%s/>' % (node.tagName, attrs)
    return '<%s%s>%s</%s>' % (node.tagName, attrs, ''.join(inline(c) for c in node.childNodes), node.tagName)


def pretty(data):
    doc = minidom.parseString(data)
    out = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n']
    write_node(doc.documentElement, 0, out)
    return ''.join(out).encode('utf-8')


def template_folders():
    return sorted(d for d in os.listdir(HERE)
                  if os.path.isdir(os.path.join(HERE, d)) and d.isupper() and not d.startswith('.'))


def parts_of(folder):
    for root, _, files in os.walk(folder):
        for f in files:
            path = os.path.join(root, f)
            yield os.path.relpath(path, folder).replace(os.sep, '/'), path


def unpack(xlsx, name):
    if not name.isupper():
        sys.exit('the folder is the resource name, in capitals: %s' % name)
    target = os.path.join(HERE, name)
    if os.path.isdir(target):
        shutil.rmtree(target)
    with zipfile.ZipFile(xlsx) as z:
        for info in z.infolist():
            if info.is_dir():
                continue
            data = z.read(info)
            if is_xml(info.filename):
                data = pretty(data)
            path = os.path.join(target, *info.filename.split('/'))
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, 'wb') as f:
                f.write(data)
    print('%s -> %s' % (xlsx, os.path.relpath(target, REPO)))


def pack(name, out):
    folder = os.path.join(HERE, name)
    names = sorted(parts_of(folder), key=lambda p: (p[0] != '[Content_Types].xml', p[0]))
    with zipfile.ZipFile(out, 'w', zipfile.ZIP_DEFLATED) as z:
        for part, path in names:
            with open(path, 'rb') as f:
                data = f.read()
            if is_xml(part):
                data = minidom.parseString(data).documentElement.toxml().encode('utf-8')
                data = b'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n' + minify(data)
            z.writestr(zipfile.ZipInfo(part, FIXED_TIME), data)
    print('%s -> %s' % (name, out))


def minify(data):
    doc = minidom.parseString(data)

    def strip(node):
        for c in list(node.childNodes):
            if c.nodeType == c.TEXT_NODE and not c.data.strip() and len(node.childNodes) > 1:
                node.removeChild(c)
            elif c.nodeType == c.ELEMENT_NODE:
                strip(c)
    strip(doc.documentElement)
    return doc.documentElement.toxml().encode('utf-8')


def write_qrc():
    lines = ['<!-- Made by xlsx-templates.py resources: the parts of every template. -->',
             '<RCC>', '  <qresource prefix="/xlsx">']
    for name in template_folders():
        for part, _ in sorted(parts_of(os.path.join(HERE, name))):
            lines.append('    <file alias="%s/%s">%s/%s</file>' % (name, part, name, part))
    lines += ['  </qresource>', '</RCC>', '']
    with open(QRC, 'w', encoding='utf-8') as f:
        f.write('\n'.join(lines))


def rcc():
    for c in RCC_CANDIDATES:
        if os.path.isabs(c) and os.access(c, os.X_OK):
            return c
    found = shutil.which('rcc')
    if not found:
        sys.exit('rcc (Qt 6) not found')
    return found


def compile_resources(output):
    # Run from this folder, with a fixed date, so that the output only changes with the parts.
    env = dict(os.environ, QT_RCC_SOURCE_DATE_OVERRIDE='1', SOURCE_DATE_EPOCH='1')
    subprocess.run([rcc(), '--name', 'xlsxtemplates', '--compress-algo', 'zlib', '--format-version', '1',
                    'templates.qrc', '-o', output], cwd=HERE, env=env, check=True)
    # The comments name each file: by its path in the repository, wherever it is checked out.
    with open(output, encoding='utf-8') as f:
        text = f.read()
    text = text.replace(HERE + os.sep, 'templates/xlsx/').replace(HERE + '/', 'templates/xlsx/')
    header = '// Made by templates/xlsx/xlsx-templates.py resources from the parts under templates/xlsx.\n'
    with open(output, 'w', encoding='utf-8') as f:
        f.write(header + text)


def resources():
    write_qrc()
    compile_resources(SOURCE)
    print('%s, %s' % (os.path.relpath(QRC, REPO), os.path.relpath(SOURCE, REPO)))


def check():
    with open(QRC, encoding='utf-8') as f:
        old_qrc = f.read()
    write_qrc()
    with open(QRC, encoding='utf-8') as f:
        new_qrc = f.read()
    with tempfile.TemporaryDirectory() as t:
        out = os.path.join(t, 'r.cpp')
        compile_resources(out)
        with open(out, 'rb') as a, open(SOURCE, 'rb') as b:
            same = a.read() == b.read()
    if old_qrc != new_qrc or not same:
        with open(QRC, 'w', encoding='utf-8') as f:
            f.write(old_qrc)
        sys.exit('the template resources are not current: run templates/xlsx/xlsx-templates.py resources')
    print('current')


def main(argv):
    if len(argv) == 4 and argv[1] == 'unpack':
        unpack(argv[2], argv[3])
    elif len(argv) == 4 and argv[1] == 'pack':
        pack(argv[2], argv[3])
    elif len(argv) == 2 and argv[1] == 'resources':
        resources()
    elif len(argv) == 2 and argv[1] == 'check':
        check()
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main(sys.argv)
