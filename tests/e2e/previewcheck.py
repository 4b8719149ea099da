# Checks the PNG pictures of "lutprep preview", decoded by PyPNG (Debian's
# python3-png), pixel by pixel.
#
#   previewcheck.py identity PNG
#       two bands: the first the test pattern as the README describes it,
#       the second equal to it;
#   previewcheck.py pair PNG PATTERN_PNG
#       four bands: the first equal to PATTERN_PNG's first, the second
#       differing from it, the fourth eight times the difference of the
#       second and third, clipped.
import sys

import png

STRIPES = 5
COLOURS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (0, 255, 255), (255, 0, 255), (255, 255, 0),
           (255, 219, 172), (194, 150, 130), (141, 85, 36), (115, 82, 68)]
STEPS = [2 * i for i in range(16)] + [225 + 2 * i for i in range(16)]


def read(path):
    width, height, rows, info = png.Reader(filename=path).asRGB8()
    assert info['bitdepth'] == 8 and not info['alpha'] and not info['greyscale'], info
    pixels = [[tuple(row[3 * x:3 * x + 3]) for x in range(width)] for row in rows]
    band = width // 4
    assert height % band == 0, (width, height)
    print('%dx%d, %d bands of %d rows' % (width, height, height // band, band))
    return width, band, [pixels[b * band:(b + 1) * band] for b in range(height // band)]


def check_pattern(width, band, rows):
    stripes = []
    for y, row in enumerate(rows):
        s = y * STRIPES // band
        if s == len(stripes):
            stripes.append(row)
        assert row == stripes[s], 'row %d differs from the first row of its stripe' % y
    grey, hues, half, colours, steps = stripes
    assert all(r == g == b for r, g, b in grey) and grey[0] == (0, 0, 0) and grey[-1] == (255, 255, 255)
    assert all(grey[x][0] <= grey[x + 1][0] <= grey[x][0] + 1 for x in range(width - 1)), 'grey ramp'
    assert hues[0] == (255, 0, 0) and half[0] == (255, 128, 128), (hues[0], half[0])
    assert hues[width // 2] == (0, 255, 255) and half[width // 2] == (128, 255, 255)
    for patches, want in ((colours, COLOURS), (steps, [(v, v, v) for v in STEPS])):
        n = len(want)
        for k in range(n):
            got = patches[(2 * k + 1) * width // (2 * n)]
            assert got == want[k], 'patch %d: %s, not %s' % (k + 1, got, want[k])
    print('band 1: the test pattern')


def identity(path):
    width, band, bands = read(path)
    assert len(bands) == 2
    check_pattern(width, band, bands[0])
    assert bands[1] == bands[0], 'band 2 differs from band 1'
    print('band 2 equals band 1 at every pixel')


def pair(path, pattern_path):
    width, band, bands = read(path)
    _, _, pattern = read(pattern_path)
    assert len(bands) == 4
    assert bands[0] == pattern[0], 'band 1 differs from the pattern'
    print('band 1 equals band 1 of %s' % pattern_path)
    changed = sum(p != q for r1, r2 in zip(bands[0], bands[1]) for p, q in zip(r1, r2))
    # The LUT is no identity: most of the pattern changes.
    assert 2 * changed > width * band, 'band 2 differs from band 1 at only %d pixels' % changed
    print('band 2 differs from band 1 at most pixels')
    largest = 0
    for y in range(band):
        for x in range(width):
            a, b, d = bands[1][y][x], bands[2][y][x], bands[3][y][x]
            want = tuple(min(255, 8 * abs(a[c] - b[c])) for c in range(3))
            assert d == want, 'band 4 at %d,%d: %s, not %s' % (x, y, d, want)
            largest = max(largest, *d)
    print('band 4 is 8 times |band 2 - band 3|, clipped, at every pixel; its largest value %d' % largest)


if __name__ == '__main__':
    {'identity': identity, 'pair': pair}[sys.argv[1]](*sys.argv[2:])
