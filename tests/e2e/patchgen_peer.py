"""lutctl patchgen against calibration programs' pattern generator ports.

  patchgen_peer.py displaycal   DisplayCAL's own server classes (Resolve CM,
                                10 bits, and Resolve LS, 8 bits) send 100
                                patches each, then close; every level in the
                                simulated box's journal is checked.
  patchgen_peer.py bad-peers    a fake server per case: wrong messages,
                                dropped and silent connections, a fast
                                peer, a failing SetChVal, an interrupt.

The environment is the transcripts' (LUTCTL, LUTBOX_RUN, LUTBOX_BUILD).
DisplayCAL's module is extracted once from Debian's package into the build
tree; where it cannot be downloaded, that run is skipped (status 77).
"""

import ast
import contextlib
import importlib.util
import os
import random
import re
import shlex
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import types

SKIP = 77
BUILD = os.environ["LUTBOX_BUILD"]
COMMAND = shlex.split(os.environ.get("LUTBOX_RUN", "")) + [os.environ["LUTCTL"]]
UNDER_WINE = bool(os.environ.get("LUTBOX_RUN"))
failures = []


def check(what, condition, detail=""):
    if not condition:
        failures.append(f"{what}: {detail}")


def level_text(code, bits):
    """The box's journal writes each level as C's %g of the float sent."""
    level = struct.unpack("f", struct.pack("f", code / ((1 << bits) - 1)))[0]
    return "%g" % level


def journal_lines(path):
    try:
        with open(path) as f:
            return f.read().splitlines()
    except FileNotFoundError:
        return []


def start_lutctl(port, journal, extra=(), env_more=None):
    env = dict(os.environ, KXSIM_JOURNAL=journal)
    env.pop("KXSIM_RESULTS", None)
    env.update(env_more or {})
    args = COMMAND + ["patchgen", "--connect", f"127.0.0.1:{port}", *extra]
    return subprocess.Popen(args, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


def finish(process):
    # A guard against a hang of the program under test, not a time limit.
    out, err = process.communicate(timeout=300)
    return process.returncode, out.replace("\r\n", "\n"), err.replace("\r\n", "\n")


def check_closed_once(name, lines, restored="3"):
    check(name, lines.count("KX_DEV_DeInit => 0") == 1 and lines[-1:] == ["KX_DEV_DeInit => 0"],
          f"not closed exactly once at the end: {lines[-3:]}")
    check(name, lines[-2:-1] == [f"KX_DEV_SetSourceMode 0 {restored} => 0"],
          f"source not restored before the close: {lines[-3:]}")


# ---- DisplayCAL ------------------------------------------------------------

def displaycal_module():
    """DisplayCAL's patterngenerators.py, extracted once into the build tree."""
    cache = os.path.join(BUILD, "displaycal")
    path = os.path.join(cache, "patterngenerators.py")
    if not os.path.exists(path):
        with tempfile.TemporaryDirectory(dir=BUILD) as work:
            try:
                fetched = subprocess.run(["apt-get", "download", "displaycal"], cwd=work, capture_output=True)
                debs = [f for f in os.listdir(work) if f.endswith(".deb")]
                if fetched.returncode != 0 or not debs:
                    return None
                subprocess.run(["dpkg-deb", "-x", debs[0], "x"], cwd=work, check=True)
            except (OSError, subprocess.CalledProcessError):
                return None
            found = subprocess.run(["find", "x", "-path", "*/DisplayCAL/patterngenerators.py"], cwd=work,
                                   capture_output=True, text=True, check=True).stdout.split()
            if not found:
                return None
            os.makedirs(cache, exist_ok=True)
            os.replace(os.path.join(work, found[0]), path)
    # The module's user-interface imports, stubbed: the servers need none.
    package = types.ModuleType("DisplayCAL")
    package.__path__ = []
    stubs = {"localization": {"getstr": lambda *a: " ".join(map(str, a))},
             "network": {"get_network_addr": lambda: "127.0.0.1"},
             "util_http": {"encode_multipart_formdata": None}, "webwin": {}}
    sys.modules["DisplayCAL"] = package
    for name, members in stubs.items():
        module = types.ModuleType("DisplayCAL." + name)
        module.__dict__.update(members)
        sys.modules[module.__name__] = module
        setattr(package, name, module)
    spec = importlib.util.spec_from_file_location("DisplayCAL.patterngenerators", path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


class Recorder:
    """The server's connection, keeping every message sent. DisplayCAL
    3.9.10's Resolve LS server formats its packed length into a str ("%s%s"
    of bytes and text, a Python 2 leftover) and hands that to sendall, which
    Python 3 refuses; such a str is turned back into the bytes meant."""

    def __init__(self, conn):
        self.conn = conn
        self.sent = []

    def sendall(self, data):
        if isinstance(data, str):
            m = re.fullmatch(r"(b(['\"]).*?\2)(<\?xml.*)", data, re.S)
            data = ast.literal_eval(m.group(1)) + m.group(3).encode()
        self.sent.append(data)
        self.conn.sendall(data)

    def __getattr__(self, name):
        return getattr(self.conn, name)


def run_displaycal_server(module, server_class, bits, journal):
    server = server_class(port=0, bits=bits)
    port = server.socket.getsockname()[1]
    lutctl = start_lutctl(port, journal, ["--log", journal + ".log"])
    # Stops waiting when lutctl ends without connecting.
    threading.Thread(target=lambda: (lutctl.wait(), setattr(server, "listening", False)), daemon=True).start()
    with contextlib.redirect_stdout(None):
        server.wait()
    if not hasattr(server, "conn"):
        return finish(lutctl), []
    server.conn = Recorder(server.conn)
    colours = random.Random(bits)
    for _ in range(100):
        server.send(rgb=[colours.random() for _ in range(3)], bgrgb=(0.2, 0.2, 0.2))
    sent = server.conn.sent
    server.conn = server.conn.conn
    server.disconnect_client()
    server.socket.close()
    return finish(lutctl), sent


def displaycal():
    module = displaycal_module()
    if module is None:
        print("skipped: DisplayCAL's package cannot be downloaded (apt-get download displaycal)")
        return SKIP
    for server_class, bits in ((module.ResolveCMPatternGeneratorServer, 10),
                               (module.ResolveLSPatternGeneratorServer, 8)):
        name = server_class.__name__
        with tempfile.TemporaryDirectory() as work:
            journal = os.path.join(work, "journal")
            (status, out, err), sent = run_displaycal_server(module, server_class, bits, journal)
            check(name, status == 0, f"status {status}, stderr {err!r}")
            check(name, len(sent) == 100, f"{len(sent)} messages sent")
            check(name, re.search(r"^patchgen: 100 patches shown, connected [0-9.]+ s$", out, re.M), repr(out))
            check(name, err.count("background and geometry are ignored") == 1, repr(err))
            expected = ["KX_DEV_Init => 1", "KX_DEV_SetSourceMode 0 1 => 0"]
            for message in sent:
                (length,) = struct.unpack(">I", message[:4])
                check(name, length == len(message) - 4, "length prefix")
                codes = re.search(rb'<color red="(\d+)" green="(\d+)" blue="(\d+)"', message).groups()
                levels = ",".join(level_text(int(c), bits) for c in codes)
                expected.append(f"KX_DEV_SetChVal 0 {levels} => 0")
            expected += ["KX_DEV_SetSourceMode 0 3 => 0", "KX_DEV_DeInit => 0"]
            lines = journal_lines(journal)
            check(name, lines == expected,
                  next((f"line {i + 1}: {a!r} != {b!r}" for i, (a, b) in enumerate(zip(lines, expected)) if a != b),
                       f"{len(lines)} lines, {len(expected)} expected"))
            log = journal_lines(journal + ".log")
            check(name, len(log) == 100 and all(line.split()[4:5] == [str(bits)] and line.endswith(" 0")
                                                for line in log), f"log {log[:2]}")
    return report()


# ---- bad peers -----------------------------------------------------------------

def message(xml):
    data = xml.encode()
    return struct.pack(">I", len(data)) + data


GOOD = '<?xml version="1.0" encoding="utf-8"?><calibration><color red="%d" green="%d" blue="%d" bits="10"/></calibration>'


def send_then_close(*chunks):
    def peer(conn, journal):
        for chunk in chunks:
            conn.sendall(chunk)
    return peer


def wait_for_journal(journal, start):
    """Until the journal has a line beginning with start: lutctl got there."""
    while not any(line.startswith(start) for line in journal_lines(journal)):
        threading.Event().wait(0.05)


def reset(conn, journal):
    wait_for_journal(journal, "KX_DEV_SetSourceMode 0 1")
    conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))


def silent(conn, journal):
    conn.recv(1)  # until lutctl gives up and closes


def fast(conn, journal):
    conn.sendall(b"".join(message(GOOD % (i % 1024, (3 * i) % 1024, 1023 - i % 1024)) for i in range(2000)))


# name, peer (None: nothing listens), lutctl's options, environment, status,
# what standard error says, patches shown
BAD_PEERS = [
    ("oversized length", send_then_close(struct.pack(">I", 65537)), [], {}, 1, "65537 bytes, above the 65536", 0),
    ("not XML", send_then_close(message("RGB 1 2 3")), [], {}, 1, "patch 1: not XML", 0),
    ("DOCTYPE and entities", send_then_close(message(
        '<?xml version="1.0"?><!DOCTYPE calibration [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;">]>'
        '<calibration><color red="&b;" green="1" blue="1"/></calibration>')), [], {}, 1, "DOCTYPE is refused", 0),
    ("no colour", send_then_close(message(GOOD % (1, 2, 3)), message(
        '<calibration><background red="1" green="1" blue="1" bits="8"/></calibration>')), [], {}, 1,
     "patch 2: no <color>", 1),
    ("code above 2^bits - 1", send_then_close(message(GOOD % (1024, 0, 0))), [], {}, 1,
     'red="1024" is not a code from 0 to 1023', 0),
    ("negative code", send_then_close(message((GOOD % (0, 0, 0)).replace('blue="0"', 'blue="-1"'))), [], {}, 1,
     'blue="-1" is not a code', 0),
    ("bits above 16", send_then_close(message(GOOD.replace('"10"', '"17"') % (1, 1, 1))), [], {}, 1,
     'bits="17" is not from 1 to 16', 0),
    ("dropped within a message", send_then_close(message(GOOD % (1, 1, 1))[:20]), [], {}, 1,
     "closed the connection within a message", 0),
    ("connection reset", reset, [], {}, 1, "lutctl: patch 1: the connection was dropped", 0),
    ("silent peer", silent, ["--timeout", "1"], {}, 1, "the peer sent nothing for 1 s", 0),
    ("SetChVal fails", send_then_close(*(message(GOOD % (i, i, i)) for i in range(5))), [],
     {"KXSIM_RESULTS": "KX_DEV_SetChVal=0/0/-7"}, 1, "patch 3 (2 2 2, 10 bits): KX_DEV_SetChVal failed (-7)", 2),
    ("fast peer, read one message at a time", fast, [], {}, 0, "", 2000),
    ("nothing listening", None, [], {}, 1, "lutctl: cannot connect to 127.0.0.1 port", 0),
]


def serve(listener, peer, journal):
    conn, _ = listener.accept()
    with conn:
        peer(conn, journal)


def bad_peer(name, peer, options, env, want_status, want_error, want_shown, work):
    journal = os.path.join(work, name.replace(" ", "_"))
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    port = listener.getsockname()[1]
    if peer is None:
        listener.close()
    else:
        listener.listen(1)
        threading.Thread(target=serve, args=(listener, peer, journal), daemon=True).start()
    status, out, err = finish(start_lutctl(port, journal, options, env))
    listener.close()
    check(name, status == want_status, f"status {status}, stderr {err!r}")
    check(name, want_error in err, f"stderr {err!r}")
    lines = journal_lines(journal)
    shown = sum(1 for line in lines if line.startswith("KX_DEV_SetChVal") and line.endswith("=> 0"))
    check(name, shown == want_shown, f"{shown} patches shown")
    if peer is None:
        check(name, lines == [], f"the box was opened: {lines}")
    else:
        check_closed_once(name, lines)
        check(name, f"patchgen: {want_shown} patches shown" in out, repr(out))


def interrupted(work):
    """Ctrl-C while waiting for a message: the source restored, the box
    closed once, the process ended by the signal."""
    journal = os.path.join(work, "interrupt")
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(1)
    lutctl = start_lutctl(listener.getsockname()[1], journal)
    conn, _ = listener.accept()
    conn.sendall(message(GOOD % (7, 7, 7)))
    # The patch shown is the sign that lutctl waits for the next message.
    wait_for_journal(journal, "KX_DEV_SetChVal")
    lutctl.send_signal(signal.SIGINT)
    status, _, _ = finish(lutctl)
    conn.close()
    listener.close()
    check("interrupt", status == -signal.SIGINT, f"status {status}")
    check_closed_once("interrupt", journal_lines(journal))


def bad_peers():
    with tempfile.TemporaryDirectory() as work:
        for case in BAD_PEERS:
            # Wine's recv reports a reset connection as an orderly close
            # (Windows itself says WSAECONNRESET): not to be told there.
            if UNDER_WINE and case[0] == "connection reset":
                continue
            bad_peer(*case, work)
        if not UNDER_WINE:
            interrupted(work)
    return report()


def report():
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit({"displaycal": displaycal, "bad-peers": bad_peers}[sys.argv[1]]())
