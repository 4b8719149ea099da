# Test data for the lutprep transcripts.
#
#   prepcorpus.py write DIR [FAMILY:POINTS:CASE ...]
#       writes LUT files into DIR, named FAMILYPOINTS-CASE.EXT: the given
#       ones, or the whole corpus (every case of every family at 17 and 33
#       points, good files of 26 points, and a few special files), and
#       prints how many;
#   prepcorpus.py agree CHECK.jsonl LOAD.txt JOURNAL FILE...
#       compares, file by file, what "lutprep check --json FILE..." said with
#       what the console's "load:FILE" did for the same files in the same
#       order (its text and the simulated box's journal): the verdict, and
#       for a file taken the family and the points. Prints every
#       disagreement, then per family (the box's, by the name) the files
#       taken and refused (by reason).
import json, os, sys

EXT = {'csv': 'csv', 'cube': 'cube', '3dl': '3dl'}

def value(r, g, b, c, n):
    # Smooth, in [0, 1], different per channel.
    x = (r, g, b)[c] / (n - 1)
    y = (g, b, r)[c] / (n - 1)
    return min(1.0, max(0.0, 0.85 * x ** 1.2 + 0.1 * y + 0.02))

def nodes(fam, n):
    # File order: cube red fastest; 3dl and the box's CSV blue fastest.
    for s in range(n):
        for m in range(n):
            for f in range(n):
                yield (f, m, s) if fam == 'cube' else (s, m, f)

def lines(fam, n):
    """The file as a header and data lines."""
    if fam == 'cube':
        head = ['# generated', 'TITLE "corpus"', 'LUT_3D_SIZE %d' % n, '']
        rows = ['%.6f %.6f %.6f' % tuple(value(r, g, b, c, n) for c in range(3)) for r, g, b in nodes(fam, n)]
    elif fam == '3dl':
        head = ['# generated', ' '.join(str(i * 1023 // (n - 1)) for i in range(n))]
        rows = ['%d %d %d' % tuple(round(value(r, g, b, c, n) * 4095) for c in range(3)) for r, g, b in nodes(fam, n)]
    else:
        head = ['R,G,B,r,g,b']
        rows = ['%d,%d,%d,' % (r, g, b) + '%.6f,%.6f,%.6f' % tuple(value(r, g, b, c, n) for c in range(3))
                for r, g, b in nodes(fam, n)]
    return head, rows

def negate_first(row, fam):
    sep = ',' if fam == 'csv' else ' '
    fields = row.split(sep)
    fields[0] = '-' + ('0.000000' if fam == 'cube' else '0')
    return sep.join(fields)

def replace_value(row, fam, k, text):
    sep = ',' if fam == 'csv' else ' '
    fields = row.split(sep)
    fields[k + (3 if fam == 'csv' else 0)] = text
    return sep.join(fields)

def power_rows(n):
    return ['%.6f %.6f %.6f' % tuple((i / (n - 1)) ** (1 / 2.4) for i in node) for node in nodes('cube', n)]

def comma_row(row, fam):
    if fam == 'csv':
        return row.replace(',', ';').replace('.', ',')
    return row.replace('.', ',')

def lustre_power(rows):
    # The Mesh header names the grid as 2^IN + 1 points (17: 4, 33: 5).
    n = round(rows ** (1 / 3))
    return (n - 1).bit_length() - 1

# Each case: (families, edit of header and rows, line end). The row edited
# is the middle one, where the box's count and scan both reach.
def edit_rows(f):
    def edit(fam, head, rows):
        k = len(rows) // 2
        return head, rows[:k] + f(fam, rows[k]) + rows[k + 1:]
    return edit

ALL = ('csv', 'cube', '3dl')
CASES = {
    'good': (ALL, lambda fam, h, r: (h, r)),
    'crlf': (ALL, lambda fam, h, r: (h, r)),
    'delete': (ALL, edit_rows(lambda fam, row: [])),
    'duplicate': (ALL, edit_rows(lambda fam, row: [row, row])),
    'negative': (ALL, edit_rows(lambda fam, row: [negate_first(row, fam)])),
    'negfirst': (ALL, lambda fam, h, r: (h, [negate_first(r[0], fam)] + r[1:])),
    'incomplete': (ALL, edit_rows(lambda fam, row: [row[:row.rindex(',' if fam == 'csv' else ' ')]])),
    'blank': (ALL, edit_rows(lambda fam, row: [row, ''])),
    'comment': (ALL, edit_rows(lambda fam, row: [row, '# a comment'])),
    # 300 bytes: a read of 255 and one that begins with a blank.
    'long': (ALL, edit_rows(lambda fam, row: [row + ' ' * (300 - len(row))])),
    # A header comment whose second read begins with a digit.
    'longcomment': (ALL, lambda fam, h, r: (['#' + '1' * 299] + h, r)),
    'four': (('cube', '3dl'), edit_rows(lambda fam, row: [row + ' 0'])),
    'seven': (('csv',), edit_rows(lambda fam, row: [row + ',0'])),
    'truncate': (ALL, lambda fam, h, r: (h, r[:-1] + [r[-1][:len(r[-1]) // 2]])),
    # A NaN as the second value, and as the first of a cube row.
    'nan': (ALL, edit_rows(lambda fam, row: [replace_value(row, fam, 1, 'nan')])),
    'nanfirst': (('cube',), edit_rows(lambda fam, row: [replace_value(row, fam, 0, 'nan')])),
    'comma': (('csv', 'cube'), lambda fam, h, r: (h, [comma_row(x, fam) for x in r])),
    'trailer': (('cube',), lambda fam, h, r: (h, r + ['end'])),
    'domain': (('cube',), lambda fam, h, r: (h[:-1] + ['DOMAIN_MIN -0.1 -0.1 -0.1', 'DOMAIN_MAX 1.1 1.1 1.1', ''], r)),
    # A shaper before the 3D table, as grading software writes it.
    'shaper': (('cube',), lambda fam, h, r: (h[:-1] + ['LUT_1D_SIZE 1024', ''],
                                             ['%.6f %.6f %.6f' % ((i / 1023,) * 3) for i in range(1024)] + r)),
    # A pure power curve of each input: what a coarser grid cannot keep
    # near black.
    'gamma': (('cube',), lambda fam, h, r: (h, power_rows(round(len(r) ** (1 / 3))))),
    'lustre': (('3dl',), lambda fam, h, r: (['3DMESH', 'Mesh %d 12' % lustre_power(len(r))] + h[1:], r + ['LUT8', 'gamma 1.0'])),
    'nomesh': (('3dl',), lambda fam, h, r: (h[:1], r)),
}

def write_one(directory, fam, n, case):
    families, edit = CASES[case]
    assert fam in families, (fam, case)
    head, rows = lines(fam, n)
    head, rows = edit(fam, head, rows)
    eol = '\r\n' if case == 'crlf' else '\n'
    path = os.path.join(directory, '%s%d-%s.%s' % (fam, n, case, EXT[fam]))
    with open(path, 'wb') as f:
        f.write((eol.join(head + rows) + eol).encode())

def write_corpus(directory):
    count = 0
    for case, (families, _) in CASES.items():
        for fam in families:
            for n in (17, 33):
                write_one(directory, fam, n, case)
                count += 1
    for fam in ALL:
        write_one(directory, fam, 26, 'good')
        count += 1
    # Sizes the box has no download for, and names.
    for fam, n in (('cube', 65), ('cube', 16), ('csv', 16), ('3dl', 16)):
        write_one(directory, fam, n, 'good')
        count += 1
    head, rows = lines('cube', 17)
    special = {
        'empty.cube': [],
        'header-only.cube': head,
        'mixed-case.Cube': head + rows,
        'cube-in-csv.cube.csv': head + rows,
    }
    for name, text in special.items():
        with open(os.path.join(directory, name), 'wb') as f:
            f.write(('\n'.join(text) + ('\n' if text else '')).encode())
        count += 1
    os.mkdir(os.path.join(directory, 'directory.cube'))
    return count + 1

def agree(check_path, load_path, journal_path, files):
    checks = [json.loads(line) for line in open(check_path, encoding='utf-8')]
    # "load:" prints "Loading Lut..." and then one outcome line per file.
    outcomes = [line for line in open(load_path, encoding='utf-8').read().split('\n')
                if 'Load Lut success.' in line or '3D-Lut File Open fail!' in line]
    # Each download: the file type, the points, then the send call.
    sends = []
    filetype = points = None
    for line in open(journal_path, encoding='utf-8'):
        words = line.split()
        if words[0] == 'KX_DEV_Set3DLUT_FileType':
            filetype = words[2]
        elif words[0] == 'KX_DEV_Set3DLUT_Points':
            points = int(words[2])
        elif words[0].startswith('KX_DEV_Set') and 'lut:' in line:
            family = '3dl' if '_3DL_' in words[0] else 'cube' if filetype == '2' else 'csv'
            sends.append((family, points))
    if not (len(checks) == len(outcomes) == len(files)):
        print('counts differ: %d files, %d checked, %d loaded' % (len(files), len(checks), len(outcomes)))
        return
    summary = {}
    taken = iter(sends)
    for name, check, outcome in zip(files, checks, outcomes):
        loaded = 'success' in outcome
        box = next(taken) if loaded else None
        if check['file'] != name:
            print('%s: checked as %s' % (name, check['file']))
        mine = (check['family'], check['points']) if check['verdict'] == 'ok' else None
        if mine != box:
            print('%s: check says %s %s, load: %s' % (name, check['verdict'], mine, box or 'refused'))
        fam = check['family'] or 'no family'
        key = 'taken' if check['verdict'] == 'ok' else check['reason']['code']
        summary.setdefault(fam, {}).setdefault(key, 0)
        summary[fam][key] += 1
    for fam in sorted(summary):
        print('%s: %s' % (fam, ', '.join('%s %d' % kv for kv in sorted(summary[fam].items()))))

if __name__ == '__main__':
    if sys.argv[1] == 'write':
        directory = sys.argv[2]
        os.makedirs(directory, exist_ok=True)
        if len(sys.argv) > 3:
            for item in sys.argv[3:]:
                fam, n, case = item.split(':')
                write_one(directory, fam, int(n), case)
            print('%d files' % (len(sys.argv) - 3))
        else:
            print('%d files' % write_corpus(directory))
    elif sys.argv[1] == 'agree':
        agree(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5:])
