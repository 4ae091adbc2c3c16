#!/usr/bin/env python3
"""Writes the licence texts and notices of what pelmora.exe contains.

pelmora.exe links a static Qt and MinGW-w64's runtime. Qt's source names
the terms of each third-party part in its qt_attribution.json files; the
linker's map of pelmora.exe tells which parts that are compiled on their
own were linked in. Parts that Qt compiles into its own files (hashes,
Unicode and locale data, QRegion's and QImage's borrowed code) are always
shipped: the map cannot tell them apart from Qt's own code.

Usage: windows-notices.py --qt-source DIR --map FILE --version X --copyright FILE --out DIR
"""
import argparse
import glob
import json
import os
import re
import shutil
import sys

# Compiled into Qt Core, Qt GUI or Qt Widgets on Windows, inside Qt's own
# objects. Left out: what serves other platforms (macOS, Android, X11,
# WebAssembly, ARM), modules Pelmora's Qt is built without (network, D-Bus,
# Vulkan, image plugins) and Qt Test, which only the tests link.
ALWAYS = [
    'unicode-character-database', 'unicode-cldr', 'siphash', 'blake2', 'easing', 'md4', 'md5', 'sha1',
    'sha3_endian', 'sha3_keccak', 'rfc6234', 'tinycbor', 'grayraster', 'smooth-scaling-algorithm',
    'xserverhelper', 'aglfn', 'icc-sRGB-color-profile', 'opengl-headers', 'opengl-es2-headers',
]


def attributions(qt_source):
    """Each attribution of Qt's source, with the folder its file lies in."""
    for path in sorted(glob.glob(os.path.join(qt_source, 'src', '**', 'qt_attribution.json'), recursive=True)):
        with open(path, encoding='utf-8') as f:
            entries = json.loads(f.read(), strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            yield os.path.dirname(path), entry


# The third-party parts Qt builds as libraries of their own,
# libQt6Bundled<Name>.a; the rest are compiled into Qt's modules.
BUNDLED = {'Freetype': 'freetype', 'Harfbuzz': 'harfbuzz-ng', 'Libjpeg': 'libjpeg', 'Libpng': 'libpng',
           'Pcre2': 'pcre2', 'ZLIB': 'zlib'}


def linked_third_party(qt_source, map_file):
    """The folders under src/3rdparty whose sources were linked in as objects of their own.
    Several parts carry a copy of the same file (zlib's inside FreeType's), so a
    member counts for the part whose library it comes from."""
    with open(map_file, encoding='utf-8', errors='replace') as f:
        members = set(re.findall(r'libQt6([A-Za-z0-9]*)\.a\(([^)]+)\.obj\)', f.read()))
    third_party = os.path.join(qt_source, 'src', '3rdparty')
    files = {}
    for folder in os.listdir(third_party):
        for _, _, names in os.walk(os.path.join(third_party, folder)):
            files.setdefault(folder, set()).update(names)
    linked = set()
    for library, member in members:
        bundled = BUNDLED.get(library.removeprefix('Bundled')) if library.startswith('Bundled') else None
        for folder, names in files.items():
            if member in names and (folder == bundled if bundled else folder not in BUNDLED.values()):
                linked.add(os.path.join(third_party, folder))
    return linked


def notice(folder, entry):
    lines = [entry['Name'] + (' ' + entry['Version'] if entry.get('Version') else ''),
             entry.get('Homepage', ''), '', entry['QtUsage'], '', 'License: ' + entry['License'], '',
             entry['Copyright'].strip(), '']
    if entry.get('LicenseFile'):
        with open(os.path.join(folder, entry['LicenseFile']), encoding='utf-8', errors='replace') as f:
            lines += ['-' * 72, f.read()]
    return '\n'.join(lines)


def main():
    parser = argparse.ArgumentParser()
    for option in ('--qt-source', '--map', '--version', '--copyright', '--out'):
        parser.add_argument(option, required=True)
    args = parser.parse_args()

    out = args.out
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(os.path.join(out, 'Qt', 'third-party'))
    linked = linked_third_party(args.qt_source, args.map)
    shipped = []
    for folder, entry in attributions(args.qt_source):
        if entry['Id'] in ALWAYS or folder in linked:
            name = os.path.join('Qt', 'third-party', entry['Id'] + '.txt')
            with open(os.path.join(out, name), 'w', encoding='utf-8', newline='\r\n') as f:
                f.write(notice(folder, entry))
            shipped.append((entry, name))
    missing = set(ALWAYS) - {entry['Id'] for entry, _ in shipped}
    if missing:
        sys.exit('windows-notices: no attribution in Qt\'s source for ' + ', '.join(sorted(missing)))

    copies = [
        (os.path.join(args.qt_source, 'LICENSES', 'LGPL-3.0-only.txt'), 'Qt/LGPL-3.0-only.txt'),
        (os.path.join(args.qt_source, 'LICENSES', 'GPL-3.0-only.txt'), 'Qt/GPL-3.0-only.txt'),
        ('/usr/share/doc/mingw-w64-x86-64-dev/copyright', 'MinGW-w64/copyright.txt'),
        ('/usr/share/doc/gcc-mingw-w64-base/copyright', 'GCC/copyright.txt'),
        (args.copyright, 'Pelmora.txt'),
    ]
    for source, name in copies:
        os.makedirs(os.path.dirname(os.path.join(out, name)), exist_ok=True)
        with open(source, encoding='utf-8') as f, open(os.path.join(out, name), 'w', encoding='utf-8',
                                                       newline='\r\n') as t:
            t.write(f.read())

    third = '\n'.join('  - %s (%s):\n    licenses\\%s' % (entry['Name'], entry.get('LicenseId') or entry['License'],
                                                      name.replace('/', '\\')) for entry, name in shipped)
    readme = f'''Pelmora {args.version} for Windows: what pelmora.exe contains, and its terms

pelmora.exe is Pelmora's own code (freeware; all other rights reserved:
licenses\\Pelmora.txt), linked with these, each under its own terms:

- Qt 6 (Qt Core, Qt GUI, Qt Widgets, the Windows platform plugin and the
  styles), under the GNU Lesser General Public License 3.0:
  licenses\\Qt\\LGPL-3.0-only.txt, with the GNU General Public License 3.0
  that it adds to: licenses\\Qt\\GPL-3.0-only.txt. It is built, unchanged,
  from the source of Debian's package qt6-base; relink\\README.txt says
  which version, how it was configured, and how to link Pelmora with
  another Qt.
  Third-party code inside that Qt, each with its notice and licence:
{third}
- The MinGW-w64 runtime and its POSIX threads library (winpthreads), as
  Debian records the terms of each of their files:
  licenses\\MinGW-w64\\copyright.txt
- GCC's runtime libraries (libgcc, libstdc++), under the GNU General Public
  License 3.0 with the GCC Runtime Library Exception:
  licenses\\GCC\\copyright.txt
'''
    with open(os.path.join(out, 'README.txt'), 'w', encoding='utf-8', newline='\r\n') as f:
        f.write(readme)


if __name__ == '__main__':
    main()
