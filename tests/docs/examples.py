#!/usr/bin/env python3
"""Runs the examples of the documents as written and compares their output
with the documents.

    examples.py --build BUILD --source SOURCE [DOC...]

An example is a fenced block whose first line begins with "$ ": each "$ "
line is a command, the lines up to the next one its expected output
(standard output and error together). Each document runs in a scratch
directory of its own holding the example LUTs (tools/make-examples), with
BUILD first in PATH, as the documents' convention line says; its commands
run in order in one shell, so an example may use the files an earlier one
wrote, and "echo $?" sees the status of the command before it.

Every differing command is reported with its document, line and a diff,
so that a changed message points at the example to update. The status is 1
when any differs.
"""

import argparse
import difflib
import os
import shutil
import subprocess
import sys

MARK = '@@docs-example-end@@'


def examples(path):
    """The (line number, command, expected lines) of a document, in order."""
    found = []
    with open(path, encoding='utf-8') as f:
        lines = f.read().split('\n')
    in_block = False
    block = []
    for number, line in enumerate(lines, 1):
        if line.startswith('```'):
            if in_block and block and block[0][1].startswith('$ '):
                for start, text in block:
                    if text.startswith('$ '):
                        found.append([start, text[2:], []])
                    else:
                        found[-1][2].append(text)
            in_block = not in_block
            block = []
        elif in_block:
            block.append((number, line))
    return found


def run_document(doc, cases, args):
    """Runs the commands of one document; returns the number that differ."""
    name = os.path.relpath(doc, args.source)
    scratch = os.path.join(args.build, 'docs-examples', name.replace(os.sep, '_'))
    shutil.rmtree(scratch, ignore_errors=True)
    subprocess.run([os.path.join(args.source, 'tools', 'make-examples'), scratch], check=True)
    script = ['exec 2>&1']
    for _, command, _ in cases:
        script.append(command)
        script.append('__status=$?; printf "\\n%%s\\n" %s; (exit $__status)' % MARK)
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(('KXSIM_', 'LC_', 'LANG', 'LANGUAGE'))}
    env['PATH'] = os.path.abspath(args.build) + os.pathsep + env.get('PATH', '/usr/bin:/bin')
    env['LANG'] = 'C.UTF-8'
    try:
        result = subprocess.run(['bash', '-c', '\n'.join(script)], cwd=scratch, env=env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, timeout=args.timeout)
    except subprocess.TimeoutExpired:
        print('%s: its examples did not end within %g s' % (name, args.timeout))
        return len(cases)
    outputs = result.stdout.decode('utf-8', 'replace').split('\n%s\n' % MARK)
    differing = 0
    for index, (line, command, expected) in enumerate(cases):
        actual = outputs[index].rstrip('\n').split('\n') if index < len(outputs) - 1 else ['(no output: the shell ended before this command)']
        if actual == ['']:
            actual = []
        while expected and expected[-1] == '':
            expected = expected[:-1]
        if actual != expected:
            differing += 1
            print('%s:%d: the output of "$ %s" differs from the document:' % (name, line, command))
            for diff in difflib.unified_diff(expected, actual, 'documented', 'printed', lineterm='', n=1):
                print('  ' + diff)
    return differing


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--build', required=True)
    parser.add_argument('--source', required=True)
    parser.add_argument('--timeout', type=float, default=120)
    parser.add_argument('docs', nargs='*')
    args = parser.parse_args()
    docs = args.docs or [os.path.join(args.source, 'README.md')] + sorted(
        os.path.join(args.source, 'docs', d) for d in os.listdir(os.path.join(args.source, 'docs'))
        if d.endswith('.md'))
    total = differing = 0
    for doc in docs:
        cases = examples(doc)
        if cases:
            total += len(cases)
            differing += run_document(doc, cases, args)
    if total == 0:
        print('no examples found in %s' % ', '.join(docs))
        return 1
    print('%d of %d documented commands print what their documents show' % (total - differing, total))
    return 1 if differing else 0


if __name__ == '__main__':
    sys.exit(main())
