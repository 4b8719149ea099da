# Test data for the 3D LUT transcripts.
#
#   lutgen.py write FAMILY:POINTS[:crlf]=PATH ...
#       writes 3D LUT files of generated values;
#   lutgen.py sed ROWS=LAYER,... ...
#       prints a sed script that names the FNV-1a 64 hash of a table in the
#       simulated box's journal: zeros, then each LAYER (family:points) file's
#       rows laid over them, first ROWS rows.
import struct, sys
# Exact in float32 and in '%.12f'; a row never starts with a sign.
def fval(seed, k):
    b = (k * 7919 + seed) % 8192
    return (b if k % 3 == 0 else b - 1024) / 4096
def rows(fam, pts):
    seed = pts + {'csv': 0, 'cube': 100, '3dl': 200}[fam]
    for r in range(pts ** 3):
        if fam == '3dl':
            yield [(k * 7919 + seed) % 70001 for k in range(3 * r, 3 * r + 3)]
        else:
            yield [fval(seed, k) for k in range(3 * r, 3 * r + 3)]
def write(fam, pts, path, eol='\n'):
    out = {'csv': ['R,G,B,r,g,b'],
           'cube': ['# generated', 'TITLE "t"', 'LUT_3D_SIZE %d' % pts, ''],
           '3dl': ['# generated', '', ' '.join(str(i * 1023 // (pts - 1)) for i in range(pts))]}[fam]
    for r, row in enumerate(rows(fam, pts)):
        if fam == 'csv':
            out.append('%d,%d,%d,' % (r % pts, r // pts % pts, r // pts // pts) + '%.12f,%.12f,%.12f' % tuple(row))
        else:
            out.append(('%d %d %d' if fam == '3dl' else '%.12f %.12f %.12f') % tuple(row))
    open(path, 'wb').write((eol.join(out) + eol).encode())
def fnv(data):
    h = 14695981039346656037
    for b in data:
        h = ((h ^ b) * 1099511628211) & 0xFFFFFFFFFFFFFFFF
    return '%016x' % h
def table(n, layers):
    t = bytearray(n * 12)
    for layer in layers:
        fam, pts = layer.split(':')
        for r, row in zip(range(n), rows(fam, int(pts))):
            if fam == '3dl':
                t[r * 6:r * 6 + 6] = struct.pack('<3H', *[v & 0xFFFF for v in row])
            else:
                t[r * 12:r * 12 + 12] = struct.pack('<3f', *row)
    return t[:n * (6 if layers and layers[0].startswith('3dl') else 12)]
if sys.argv[1] == 'write':
    for spec in sys.argv[2:]:
        shape, path = spec.split('=')
        fam, pts, *crlf = shape.split(':')
        write(fam, int(pts), path, '\r\n' if crlf else '\n')
else:
    for spec in sys.argv[2:]:
        n, layers = spec.split('=')
        print('s/lut:%s:%s /lut:%s:<%s> /' % (n, fnv(table(int(n), layers.split(',') if layers else [])), n, layers))
