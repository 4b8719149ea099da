#!/usr/bin/env python3
"""Writes one LUT, a smooth grade with cross-talk, in every format lutprep
reads, as grading and camera software write them: a 65-point 3D table where
the format holds one, else the nearest equivalent (a 4096-entry 1D curve of
the grade's own channel curves, the grade's matrix part, a CDL).

    lut_sources.py DIR [DECIMALS]

writes DIR/grade65.EXT for every format (DECIMALS, default 6, for the
formats that hold decimal text) and prints their names. convert_bench.py
uses it the same way, as a module.
"""
import os
import struct
import sys

POINTS = 65
CURVE_POINTS = 4096


def grade(x, y, z):
    """The grade of bench/lutprep_bench.cpp: red and blue bent, a little
    of the luma in every channel."""
    luma = 0.2126 * x + 0.7152 * y + 0.0722 * z
    return ((0.9 * x + 0.1 * luma) ** 1.1, 0.95 * y + 0.05 * luma, (0.85 * z + 0.15 * luma) ** 0.95)


def curve(v):
    """The grade's channel curves alone, for the 1D formats."""
    return (v ** 1.1, v, v ** 0.95)


def nodes(red_fastest):
    """(r, g, b) grid indices in file order."""
    n = POINTS
    for slow in range(n):
        for mid in range(n):
            for fast in range(n):
                yield (fast, mid, slow) if red_fastest else (slow, mid, fast)


def values(red_fastest):
    scale = POINTS - 1.0
    for r, g, b in nodes(red_fastest):
        yield grade(r / scale, g / scale, b / scale)


def rows(red_fastest, decimals, prefix=''):
    f = '%s%%.%df %%.%df %%.%df\n' % (prefix, decimals, decimals, decimals)
    return ''.join(f % v for v in values(red_fastest))


def integer_rows(red_fastest, full, index=False):
    out = []
    for i, v in enumerate(values(red_fastest)):
        codes = ' '.join(str(round(c * full)) for c in v)
        out.append('%d %s\n' % (i, codes) if index else codes + '\n')
    return ''.join(out)


def cube(d):
    return 'TITLE "bench grade"\nLUT_3D_SIZE %d\n' % POINTS + rows(True, d)


def three_dl(d):
    mesh = ' '.join(str(round(i * 1023 / (POINTS - 1))) for i in range(POINTS))
    return '3DMESH\nMesh 6 12\n' + mesh + '\n' + integer_rows(False, 4095) + '\nLUT8\ngamma 1.0\n'


def csp(d):
    identity = '2\n0.0 1.0\n0.0 1.0\n'
    return 'CSPLUTV100\n3D\n\n' + identity * 3 + '\n%d %d %d\n' % (POINTS, POINTS, POINTS) + rows(True, d)


def spi3d(d):
    f = '%%d %%d %%d %%.%df %%.%df %%.%df\n' % (d, d, d)
    scale = POINTS - 1.0
    body = ''.join(f % ((r, g, b) + grade(r / scale, g / scale, b / scale)) for r, g, b in nodes(False))
    return 'SPILUT 1.0\n3 3\n%d %d %d\n' % (POINTS, POINTS, POINTS) + body


def cub(d):
    return ('# Truelight Cube v2.0\n# iDims 3\n# oDims 3\n# width %d %d %d\n\n# Cube\n' % (POINTS, POINTS, POINTS) +
            rows(True, d) + '# end\n')


def itx(d):
    return 'LUT_3D_SIZE %d\n\n' % POINTS + rows(True, d)


def look(d):
    data = ''.join(struct.pack('<fff', *v).hex().upper() for v in values(True))
    lines = '\n'.join('      ' + data[i:i + 96] for i in range(0, len(data), 96))
    return ('<?xml version="1.0" ?>\n<look>\n  <LUT>\n    <size>"%d"</size>\n    <data>"\n%s\n    "</data>\n'
            '  </LUT>\n</look>\n' % (POINTS, lines))


def vf(d):
    return '#Inventor V2.1 ascii\ngrid_size %d %d %d\ndata\n' % (POINTS, POINTS, POINTS) + rows(False, d)


def pandora(d):
    return ('channel 3d\nin %d\nout 4096\nformat lut\nvalues red green blue\n' % POINTS ** 3 +
            integer_rows(False, 4095, index=True))


def houdini(d):
    return ('Version\t\t3\nFormat\t\tany\nType\t\t3D\nFrom\t\t0.0 1.0\nTo\t\t0.0 1.0\nBlack\t\t0\nWhite\t\t1\n'
            'Length\t\t%d\nLUT:\n{\n' % POINTS + rows(True, d, '\t') + '}\n')


def process_list(d, root):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n%s\n  <LUT3D inBitDepth="32f" outBitDepth="32f">\n'
            '    <Array dim="%d %d %d 3">\n' % (root, POINTS, POINTS, POINTS) + rows(False, d) +
            '    </Array>\n  </LUT3D>\n</ProcessList>\n')


def clf(d):
    return process_list(d, '<ProcessList id="bench" compCLFversion="3.0">')


def ctf(d):
    return process_list(d, '<ProcessList id="bench" version="1.7">')


def spi1d(d):
    f = '%%.%df %%.%df %%.%df\n' % (d, d, d)
    body = ''.join(f % curve(i / (CURVE_POINTS - 1.0)) for i in range(CURVE_POINTS))
    return 'Version 1\nFrom 0.0 1.0\nLength %d\nComponents 3\n{\n' % CURVE_POINTS + body + '}\n'


def discreet(d):
    tables = ''
    for c in range(3):
        tables += ''.join('%d\n' % round(curve(i / (CURVE_POINTS - 1.0))[c] * 4095) for i in range(CURVE_POINTS))
    return 'LUT: 3 %d 4096\n' % CURVE_POINTS + tables


def spimtx(d):
    f = '%%.%df' % d
    m = [[0.9 + 0.1 * 0.2126, 0.1 * 0.7152, 0.1 * 0.0722, 0],
         [0.05 * 0.2126, 0.95 + 0.05 * 0.7152, 0.05 * 0.0722, 0],
         [0.15 * 0.2126, 0.15 * 0.7152, 0.85 + 0.15 * 0.0722, 0]]
    return ''.join(' '.join(f % v for v in row) + '\n' for row in m)


def correction(d, id_):
    f = '%%.%df' % d
    three = lambda a, b, c: ' '.join(f % v for v in (a, b, c))
    return ('<ColorCorrection id="%s">\n  <SOPNode>\n    <Slope>%s</Slope>\n    <Offset>%s</Offset>\n'
            '    <Power>%s</Power>\n  </SOPNode>\n  <SatNode>\n    <Saturation>%s</Saturation>\n  </SatNode>\n'
            '</ColorCorrection>\n' % (id_, three(1.05, 1.0, 0.95), three(0.01, 0.0, -0.01), three(1.1, 1.0, 0.95),
                                      f % 0.9))


def cc(d):
    return correction(d, 'grade')


def ccc(d):
    return ('<ColorCorrectionCollection xmlns="urn:ASC:CDL:v1.01">\n' + correction(d, 'other') +
            correction(d, 'grade') + '</ColorCorrectionCollection>\n')


def cdl(d):
    decisions = ''.join('<ColorDecision>\n' + correction(d, i) + '</ColorDecision>\n' for i in ('other', 'grade'))
    return '<ColorDecisionList xmlns="urn:ASC:CDL:v1.01">\n' + decisions + '</ColorDecisionList>\n'


# Extension, writer, whether its values are decimal text (DECIMALS applies),
# the --cccid that picks the grade.
FORMATS = [
    ('cube', cube, True, None), ('3dl', three_dl, False, None), ('csp', csp, True, None),
    ('spi3d', spi3d, True, None), ('cub', cub, True, None), ('itx', itx, True, None), ('look', look, False, None),
    ('vf', vf, True, None), ('m3d', pandora, False, None), ('mga', pandora, False, None),
    ('hdl', houdini, True, None), ('clf', clf, True, None), ('ctf', ctf, True, None), ('spi1d', spi1d, True, None),
    ('lut', discreet, False, None), ('spimtx', spimtx, True, None), ('cc', cc, True, None),
    ('ccc', ccc, True, 'grade'), ('cdl', cdl, True, 'grade'),
]


def write(directory, extension, decimals):
    """Writes DIR/grade65.EXT; its path."""
    writer = next(f[1] for f in FORMATS if f[0] == extension)
    path = os.path.join(directory, 'grade65.' + extension)
    with open(path, 'w', newline='\n') as f:
        f.write(writer(decimals))
    return path


def main(argv):
    directory = argv[0]
    decimals = int(argv[1]) if len(argv) > 1 else 6
    os.makedirs(directory, exist_ok=True)
    for extension, _, _, _ in FORMATS:
        print(write(directory, extension, decimals))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
