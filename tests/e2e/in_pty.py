#!/usr/bin/env python3
"""Runs a command with a new pseudo-terminal as its controlling terminal.

    in_pty.py TEXT KEYS [TEXT KEYS]... -- COMMAND [ARG...]

Each time the command has written TEXT to the terminal (cursor controls
and line ends aside, counted from the previous TEXT on), KEYS (a Python
bytes escape, "\\x1c" for Ctrl-\\) are typed at it, so that the terminal's
own line discipline sends the signals of Ctrl-C or Ctrl-\\ to it. When it has
ended, prints how ("status N" or "signal N"), then the terminal's echo and
line mode as stty shows them on the same terminal ("icanon echo" when both
are back, "-icanon -echo" when a raw mode was left behind).

Every wait is bounded: a command that never shows TEXT or never ends is
killed and reported, so that a fault cannot hang the test run.
"""
import fcntl
import os
import re
import select
import subprocess
import sys
import termios

BOUND_SECONDS = 30


# Wine's console draws its text with cursor controls between the characters.
CONTROL = re.compile(rb"\x1b\[[0-9;?]*[A-Za-z]|\x1b\][^\x07]*\x07|[\r\n]")


def read_until(master, shown, wanted):
    """Reads until wanted is in shown (the text so far, controls removed),
    then drops shown up to its end; False when the command ends first or
    the bound passes."""
    raw = b""
    while wanted not in shown[0] + CONTROL.sub(b"", raw):
        ready, _, _ = select.select([master], [], [], BOUND_SECONDS)
        if not ready:
            return False
        try:
            chunk = os.read(master, 4096)
        except OSError:
            return False
        if not chunk:
            return False
        raw += chunk
    text = shown[0] + CONTROL.sub(b"", raw)
    shown[0] = text[text.index(wanted) + len(wanted):]
    return True


def main():
    split = sys.argv.index("--")
    steps, command = sys.argv[1:split], sys.argv[split + 1:]
    master, slave = os.openpty()

    def take_terminal():
        fcntl.ioctl(0, termios.TIOCSCTTY, 0)

    child = subprocess.Popen(command, stdin=slave, stdout=slave, stderr=slave,
                             start_new_session=True, preexec_fn=take_terminal)
    shown = [b""]
    for text, keys in zip(steps[0::2], steps[1::2]):
        if not read_until(master, shown, text.encode()):
            child.kill()
            child.wait()
            print("never showed %r" % text)
            return 1
        os.write(master, keys.encode().decode("unicode_escape").encode("latin-1"))
    try:
        code = child.wait(timeout=BOUND_SECONDS)
    except subprocess.TimeoutExpired:
        child.kill()
        child.wait()
        print("did not end")
        return 1
    print("signal %d" % -code if code < 0 else "status %d" % code)
    modes = subprocess.run(["stty", "-a"], stdin=slave, capture_output=True, text=True).stdout
    words = modes.split()
    print(" ".join(w for w in words if re.fullmatch(r"-?(echo|icanon)", w)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
