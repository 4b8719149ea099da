#!/usr/bin/env python3
"""lutprep convert against OpenColorIO's ociobakelut for every format lutprep
reads, in processor time: the whole process, user and system time, start
included (the children's resource usage), the median of a few runs.

    convert_bench.py LUTPREP [EXT...]

For each format (all of lut_sources.py's, or the ones named) the 65-point
grade of lut_sources.py is converted to 33 points by both:
lutprep convert --size 33 SRC OUT.cube and ociobakelut --lut SRC --format
iridas_cube --cubesize 33 OUT.cube; formats of decimal text are run with 6
and with 10 decimals (cube with 9 too), and a chain of three files (a 1D
curve, a CDL, the cube) against ociobakelut --lut A --lut B --lut C.
Prints one line per run: the two times and ociobakelut's over lutprep's.
The goal is 5 times as fast; exits 1 when a run misses it or lutprep
fails, after every line is printed.
"""
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import lut_sources  # noqa: E402

GOAL = 5.0
LUTPREP_RUNS = 9
OCIO_RUNS = 7
POINTS = '33'
CHAIN = ['spi1d', 'cc', 'cube']


def cpu_seconds(command):
    """The processor time of one run of command, and whether it succeeded."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    run = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    used = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return used, run.returncode == 0


def medians_cpu(commands):
    """The median processor time of each of commands, a list of (command,
    runs), or None for one that failed. The runs take turns, one of each
    command while it has runs left, so that a stretch of this (virtual)
    machine running slower falls on all of them alike."""
    times = [[] for _ in commands]
    failed = [False for _ in commands]
    for turn in range(max(runs for _, runs in commands)):
        for k, (command, runs) in enumerate(commands):
            if turn >= runs or failed[k]:
                continue
            seconds, ok = cpu_seconds(command)
            failed[k] = not ok
            times[k].append(seconds)
    return [None if failed[k] else statistics.median(times[k]) for k in range(len(commands))]


def measure(lutprep, sources, cccid, out):
    """The two medians (seconds) for converting sources, a list of paths."""
    options = ['--cccid', cccid] if cccid else []
    ours = [lutprep, 'convert', '--size', POINTS] + options + sources + [out + '-lutprep.cube']
    luts = []
    for source in sources:
        luts += ['--lut', source]
    theirs = ['ociobakelut'] + options + luts + ['--format', 'iridas_cube', '--cubesize', POINTS, out + '-ocio.cube']
    return medians_cpu([(ours, LUTPREP_RUNS), (theirs, OCIO_RUNS)])


def report(name, decimals, ours, theirs):
    """Prints the line of one run; whether it meets the goal."""
    shown = lambda s: '%8.1f' % (s * 1000) if s is not None else '  failed'
    if ours is None or theirs is None:
        verdict, ratio = 'lutprep failed' if ours is None else 'ociobakelut failed', '     -'
    else:
        ratio = '%6.1f' % (theirs / max(ours, 1e-6))
        verdict = 'ok' if theirs >= GOAL * ours else 'below the goal of %gx' % GOAL
    print('%-18s %8s %s %s %s  %s' % (name, decimals, shown(ours), shown(theirs), ratio, verdict), flush=True)
    return verdict == 'ok'


def variants(extension, text):
    if not text:
        return ['-']
    return [6, 9, 10] if extension == 'cube' else [6, 10]


def main(argv):
    lutprep = os.path.abspath(argv[0])
    wanted = argv[1:] or [f[0] for f in lut_sources.FORMATS]
    if shutil.which('ociobakelut') is None:
        print('convert_bench.py: ociobakelut is not installed (Debian\'s opencolorio-tools)')
        return 1
    work = tempfile.mkdtemp(prefix='convert_bench_')
    print('%-18s %8s %8s %8s %6s' % ('format', 'decimals', 'lutprep', 'ocio', 'ratio'))
    print('%-18s %8s %8s %8s %6s' % ('', '', 'ms cpu', 'ms cpu', ''))
    met = True
    try:
        for extension, _, text, cccid in lut_sources.FORMATS:
            if extension not in wanted:
                continue
            for decimals in variants(extension, text):
                folder = os.path.join(work, str(decimals))
                os.makedirs(folder, exist_ok=True)
                source = lut_sources.write(folder, extension, 6 if decimals == '-' else decimals)
                ours, theirs = measure(lutprep, [source], cccid, os.path.join(folder, extension))
                met = report(extension, decimals, ours, theirs) and met
                os.remove(source)
        for decimals in (6, 10):
            folder = os.path.join(work, 'chain%d' % decimals)
            os.makedirs(folder, exist_ok=True)
            sources = [lut_sources.write(folder, extension, decimals) for extension in CHAIN]
            ours, theirs = measure(lutprep, sources, None, os.path.join(folder, 'chain'))
            met = report(' + '.join(CHAIN), decimals, ours, theirs) and met
    finally:
        shutil.rmtree(work)
    return 0 if met else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
