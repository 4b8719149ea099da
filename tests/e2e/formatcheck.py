#!/usr/bin/env python3
"""lutprep convert against OpenColorIO's ociobakelut, the reference, on the
sample files of tests/data/lut-samples/ and tests/samples/.

    formatcheck.py FOLDER [FILE=CCCID ...]
        every file of the folder, one line each; a FILE=CCCID argument adds
        a line for that file read with --cccid CCCID
    formatcheck.py --chain FILE FILE...
        the files (FOLDER/NAME) applied one after the other, one line

Each file is converted to 33 points by both (lutprep convert --size 33 IN
OUT.cube; ociobakelut --lut IN --format iridas_cube --cubesize 33), and the
two cubes compared node by node after both are clamped to [0, 1]: the box
holds values in [0, 1], ociobakelut writes them as they come. A line says
"agrees" (every node within 2e-6: ociobakelut writes 6 decimals) or how it
differs, or who refused the file and lutprep's reason. For quirk_* files,
which OpenColorIO reads to a surprising result, lutprep's warnings follow.

Runs in the current directory, where it copies the files (FOLDER/NAME), so
that lutprep's messages name the file as given. LUTPREP is the lutprep to
run, after LUTBOX_RUN (empty, or Wine).
"""
import math
import os
import shlex
import shutil
import subprocess
import sys

TESTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
# The box's own formats' samples are the readers' unit tests' (samples/),
# the others' are here (data/lut-samples/): a folder per extension in each.
SAMPLE_ROOTS = [os.path.join(TESTS, 'data', 'lut-samples'), os.path.join(TESTS, 'samples')]
POINTS = 33
TOLERANCE = 2e-6
# A file either tool takes longer than this over (seconds) hangs it: no
# sample is large enough to need it.
TIME_LIMIT = 60
# OpenColorIO 2.1.2 loops for ever on the files named so; its refusal is
# taken as given.
OCIO_HANGS = 'HANGS'


def read_cube(path):
    """The rows of a 3D cube written by either tool, red fastest."""
    size, rows = None, []
    with open(path) as f:
        for line in f:
            words = line.split()
            if not words or words[0].startswith('#'):
                continue
            if words[0] == 'LUT_3D_SIZE':
                size = int(words[1])
            elif size is not None:
                rows.append([float(w) for w in words])
    if size != POINTS or len(rows) != POINTS ** 3 or any(len(row) != 3 for row in rows):
        raise ValueError('%s: %s rows of size %s' % (path, len(rows), size))
    return rows


def clamped(v):
    """As the box's table holds it: NaN (which ociobakelut writes as it
    comes) as 0, as lutprep writes it."""
    return 0.0 if math.isnan(v) else min(max(v, 0.0), 1.0)


def compare(ours, ref):
    """'agrees', or the node where the two differ most."""
    worst, at = 0.0, 0
    for i, (a, b) in enumerate(zip(ours, ref)):
        d = max(abs(clamped(x) - clamped(y)) for x, y in zip(a, b))
        if d > worst:
            worst, at = d, i
    if worst <= TOLERANCE:
        return 'agrees'
    node = (at % POINTS, at // POINTS % POINTS, at // POINTS // POINTS)
    shown = lambda row: ' '.join('%.6f' % clamped(v) for v in row)
    return 'differs by %.6f at node %s: lutprep %s, ociobakelut %s' % (worst, node, shown(ours[at]),
                                                                      shown(ref[at]))


def lutprep(args):
    command = shlex.split(os.environ.get('LUTBOX_RUN', '')) + [os.environ['LUTPREP']] + args
    # lutprep says why whenever it fails. A failure without a word is the
    # process never having run: Wine now and then fails to start one
    # (status 1 or 66; tests/e2e/lib.sh says more).
    # That run is made again, once, and noted in the build's wine-restarts.log
    # (as tests/e2e/lib.sh does); a failure of lutprep's own repeats.
    for attempt in range(2):
        try:
            run = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                                 errors='replace', timeout=TIME_LIMIT)
        except subprocess.TimeoutExpired:
            return None, ['did not end within %d s' % TIME_LIMIT]
        if run.returncode not in (1, 66) or run.stderr.strip():
            break
        with open(os.path.join(os.environ.get('LUTBOX_BUILD', '.'), 'wine-restarts.log'), 'a') as log:
            log.write('formatcheck.py: lutprep %s %d: status %d, nothing printed\n' % (' '.join(args), attempt + 1,
                                                                                     run.returncode))
    lines = [l.rstrip('\r') for l in run.stderr.splitlines()]
    lines = [l[len('lutprep: '):] if l.startswith('lutprep: ') else l for l in lines]
    return run.returncode, lines


def ociobakelut(args, out):
    if any(OCIO_HANGS in a for a in args):
        return False
    try:
        run = subprocess.run(['ociobakelut'] + args + ['--format', 'iridas_cube', '--cubesize', str(POINTS), out],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=TIME_LIMIT)
    except subprocess.TimeoutExpired:
        return False
    return run.returncode == 0 and os.path.exists(out)


def sample_folder(folder):
    """The path of the folder, in the root that holds it."""
    return next(p for p in (os.path.join(r, folder) for r in SAMPLE_ROOTS) if os.path.isdir(p))


def sample(name):
    """The path of FOLDER/NAME."""
    folder, _, file = name.partition('/')
    return os.path.join(sample_folder(folder), file)


# Where lutprep's result differs from ociobakelut's, and why: on purpose,
# or beyond the tolerance by the reference's own rounding.
DELIBERATE = {
    'dark_12bit_read_as_10bit.3dl':
    "its Mesh header's 12 bits followed, where ociobakelut ignores the header and guesses 10 from the largest value",
    'cdl_various.ctf':
    "every CDL applied as the file says, where ociobakelut's optimiser drops a clamping Fwd and Rev pair as if "
    "it were no change",
    'lut3by1d_nan_infinity_example.clf':
    "between the table's largest and smallest floats the value is their mean, where ociobakelut's single "
    "precision overflows to infinity",
    'warn_unknown_elements.clf':
    "a 1D table of slope about 1600 magnifies ociobakelut's single-precision rounding before it",
    'csp/colour_Three_Dimensional_Table_With_Shaper.csp + clf/xyz_to_rgb.clf':
    "the matrix (rows of gain up to 5.3) mixes the table's values up to 2.9, magnifying the two tools' rounding "
    "(ociobakelut's in single precision)",
}


def check(names, folder, cccid, label, warnings_shown):
    """One line: the files named (FOLDER/NAME) through both tools, copied
    into folder."""
    os.makedirs(folder, exist_ok=True)
    files = []
    for name in names:
        files.append(os.path.basename(name))
        shutil.copyfile(sample(name), os.path.join(folder, files[-1]))
    here = os.getcwd()
    os.chdir(folder)
    try:
        for out in ('lutprep.cube', 'ocio.cube'):
            if os.path.exists(out):
                os.remove(out)
        options = ['--cccid', cccid] if cccid is not None else []
        status, messages = lutprep(['convert', '--size', str(POINTS)] + options + files + ['lutprep.cube'])
        ocio_args = list(options)
        for f in files:
            ocio_args += ['--lut', f]
        ocio_reads = ociobakelut(ocio_args, 'ocio.cube')
        errors = [m for m in messages if not m.startswith('warning: ')]
        if status is None:
            result = 'lutprep ' + messages[0]
        elif status not in (0, 1) or (status == 1 and not errors):
            result = 'lutprep exit %d: %s' % (status, ' / '.join(messages))
        elif status == 1:
            who = 'as by ociobakelut' if not ocio_reads else 'though ociobakelut reads it'
            result = 'refused, %s: %s' % (who, errors[-1])
        elif not ocio_reads:
            result = 'read, though ociobakelut refuses it'
        else:
            result = compare(read_cube('lutprep.cube'), read_cube('ocio.cube'))
            if label in DELIBERATE and result != 'agrees':
                result = '%s (%s)' % (DELIBERATE[label], result)
        print('%s: %s' % (label, result))
        if status == 0 and (warnings_shown or not ocio_reads):
            for m in messages:
                print('  ' + m)
    finally:
        os.chdir(here)


def main(argv):
    if argv and argv[0] == '--chain':
        check(argv[1:], 'chain', None, ' + '.join(argv[1:]), False)
        return 0
    folder, extra = argv[0], argv[1:]
    for name in sorted(os.listdir(sample_folder(folder))):
        check([folder + '/' + name], folder, None, name, name.startswith('quirk_'))
        for arg in extra:
            file, _, cccid = arg.partition('=')
            if file == name:
                check([folder + '/' + name], folder, cccid, '%s --cccid %s' % (name, cccid), name.startswith('quirk_'))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
