#!/usr/bin/env python3
"""Kills the real launcher while it writes its data, and counts what survived.

Each trial fills a fresh data folder (30 menus of 1,000 items), starts TOPLEX.exe under Wine,
starts one of the writes below and kills the launcher's Wine process (SIGKILL of the pid this
script started, never any other) at the k-th change that inotify reports in the data folder, or
after a random delay. Then it starts the launcher again, takes the files as that start left
them, closes it normally and checks both states: every file must hold the old state or the new
one, complete, names agreeing with items, and nothing may be left that a later start misreads.

    save     a save asked for right after start moves 150 items from older INI sections into the
             item file (or the launcher's own first save after start, whichever comes first)
    switch   a switch to the second user rewrites TOPLEX.INI after saving the first user
    menus    the menu dialog's OK moves the first menu down, names and items together
    install  a package of 200 programs and 20 data files handed to the running launcher by a
             second start (its program folder is a copy of its own); after the restart the same
             package is installed again, and every file and item must then be there once

Run by scripts/test (a few dozen trials) and by scripts/soak (1,000). The environment is the
one scripts/lib/common.sh sets up: WINEPREFIX, DISPLAY and a running wineserver.
"""
import argparse
import ctypes
import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import time

MENUS, ITEMS, LEGACY = 30, 1000, 150
EVENTS = 0x2 | 0x8 | 0x40 | 0x80 | 0x100 | 0x200  # modify, close-write, moved from/to, create, delete
PACKAGE_ITEMS, PACKAGE_DATA = 200, 20


class Inotify:
    """The changes in the given folders, counted as they arrive."""

    def __init__(self, *folders):
        self.libc = ctypes.CDLL("libc.so.6", use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK)
        for folder in folders:
            self.libc.inotify_add_watch(self.fd, folder.encode(), EVENTS)

    def drain(self):
        count = 0
        while True:
            try:
                data = os.read(self.fd, 65536)
            except BlockingIOError:
                return count
            pos = 0
            while pos < len(data):
                _, _, _, length = struct.unpack_from("iIII", data, pos)
                pos += 16 + length
                count += 1

    def close(self):
        os.close(self.fd)


def cp932(text):
    return text.encode("cp932")


def menu_name(i):
    return "メニュー%02d" % (i + 1)


def item_file(m, n):
    return "C:\\apps\\m%02d\\item%04d.exe" % (m, n)


def build_template(folder):
    """The data set every trial starts from, and the expected user states."""
    os.makedirs(folder, exist_ok=True)
    lines = ["[Init]", "FileVersion=200", "ActiveUser=USER00.INI", "[UserList]", "User1=USER00.INI",
             "User2=USER01.INI"]
    write(folder, "TOPLEX.INI", lines)
    user = ["[Init]", "Name=利用者ゼロ", "StartSize=L", "Menu=0", "[MenuList]"]
    user += ["Category%d=%s" % (i + 1, menu_name(i)) for i in range(MENUS)]
    legacy = []
    for m in range(3):  # older item sections: their items come first in their menus
        legacy += ["[Category%d]" % (m + 1)]
        for n in range(LEGACY // 3):
            legacy += ["File%d=C:\\old\\m%02d\\legacy%02d.exe" % (n + 1, m, n), "Caption%d=旧%d" % (n + 1, n)]
    dat = []
    for m in range(MENUS):
        dat.append("#Category")
        for n in range(ITEMS):
            dat += ["#Item", "F: " + item_file(m, n), "C: 項目%d-%d" % (m, n), "D: 20261201090000"]
    write(folder, "USER00.INI", user)
    write(folder, "USER00.DAT", dat)
    write(folder, "USER01.INI", ["[Init]", "Name=利用者イチ", "StartSize=L", "[MenuList]", "Category1=一つだけ"])
    write(folder, "USER01.DAT", ["#Category", "#Item", "F: C:\\one.exe"])
    write(folder + "-legacy", "USER00.INI", user + legacy)


def write(folder, name, lines):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(cp932("\r\n".join(lines) + "\r\n"))


# ---- reading the files as the launcher reads them -------------------------------------------

def parse_ini(data):
    sections = {}
    current = None
    for raw in data.replace(b"\r\n", b"\n").split(b"\n"):
        line = raw.strip()
        if line.startswith(b"["):
            name = line[1:].split(b"]")[0].strip().upper()
            current = sections.setdefault(name, {}) if name not in sections else None
        elif current is not None and b"=" in line and not line.startswith(b";"):
            key, value = line.split(b"=", 1)
            current.setdefault(key.strip().upper(), value.strip())
    return sections


def parse_dat(data):
    blocks = []
    for raw in data.replace(b"\r\n", b"\n").split(b"\n"):
        if raw.upper() == b"#CATEGORY":
            blocks.append([])
        elif raw.startswith(b"F: ") and blocks:
            blocks[-1].append(raw[3:])
    return blocks


def user_state(folder, name):
    """(menu names, items per menu, whether older sections remain) or a reason it is broken."""
    ini_path = os.path.join(folder, name)
    dat_path = ini_path[:-4] + ".DAT"
    if not os.path.exists(ini_path) or os.path.getsize(ini_path) == 0:
        return "empty"
    with open(ini_path, "rb") as f:
        ini_bytes = f.read()
    dat_bytes = b""
    if os.path.exists(dat_path):
        with open(dat_path, "rb") as f:
            dat_bytes = f.read()
    if not ini_bytes.endswith(b"\r\n") or (dat_bytes and not dat_bytes.endswith(b"\r\n")):
        return "truncated"
    ini = parse_ini(ini_bytes)
    menu_list = ini.get(b"MENULIST", {})
    names = []
    while len(names) < MENUS and menu_list.get(b"CATEGORY%d" % (len(names) + 1)):
        names.append(menu_list[b"CATEGORY%d" % (len(names) + 1)])
    blocks = parse_dat(dat_bytes)
    items, legacy = [], False
    for m in range(len(names)):
        section = ini.get(b"CATEGORY%d" % (m + 1), {})
        older = []
        while section.get(b"FILE%d" % (len(older) + 1)):
            older.append(section[b"FILE%d" % (len(older) + 1)])
        legacy = legacy or bool(older)
        items.append(older + (blocks[m] if m < len(blocks) else []))
    return (names, items, legacy)


def settings_state(folder):
    path = os.path.join(folder, "TOPLEX.INI")
    if not os.path.exists(path) or os.path.getsize(path) == 0:
        return "empty"
    with open(path, "rb") as f:
        ini = parse_ini(f.read())
    users = [ini.get(b"USERLIST", {}).get(b"USER%d" % i) for i in (1, 2, 3)]
    return (ini.get(b"INIT", {}).get(b"ACTIVEUSER"), users)


def leftovers(folder):
    return [n for n in os.listdir(folder) if n.upper().endswith((".NEW", ".JNL", ".UND")) or
            (n.startswith("~TP") and n.endswith(".tmp"))]


def package_state(data, program, temp):
    """'intact-old' (nothing of the package counts), 'intact-new' (all of it, once) or what is wrong.

    Files the record names must be there; items must point at files that are there; no work
    folder may be left in the temporary folder once the launcher has started again."""
    if leftovers(data) or leftovers(program):
        return "leftover"
    record = b""
    if os.path.exists(os.path.join(data, "PACKAGES.LST")):
        with open(os.path.join(data, "PACKAGES.LST"), "rb") as f:
            record = f.read()
    lines = record.replace(b"\r\n", b"\n").split(b"\n")
    if any(line.startswith((b"!", b"+")) for line in lines):
        return "unfinished"
    for line in lines:
        if line[:2] in (b"P ", b"D ") and not os.path.exists(
                os.path.join(program if line[:1] == b"P" else data, line[2:].decode("cp932").replace("\\", "/"))):
            return "record-without-file"
    state = user_state(data, "USER00.INI")
    if isinstance(state, str):
        return state
    targets = [t for menu in state[1] for t in menu if t.startswith(b".\\kill")]
    for t in targets:
        if not os.path.exists(os.path.join(program, t[2:].decode())):
            return "item-without-file"
    if len(set(targets)) != len(targets):
        return "duplicated"
    if any(n.upper().startswith("QTX") for n in os.listdir(temp)):
        return "work-folder"
    if not targets:
        return "intact-old"
    if len(targets) != PACKAGE_ITEMS:
        return "partial"
    names = [b"P kill%03d.exe" % i for i in range(1, PACKAGE_ITEMS + 1)]
    names += [b"D killdata%02d.txt" % i for i in range(1, PACKAGE_DATA + 1)]
    return "intact-new" if all(n in lines for n in names) else "unrecorded"


def classify(folder, expect):
    """'intact-old', 'intact-new' or what is wrong."""
    if leftovers(folder):
        return "leftover"
    states = {"settings": settings_state(folder), "USER00.INI": user_state(folder, "USER00.INI"),
              "USER01.INI": user_state(folder, "USER01.INI")}
    for state in states.values():
        if isinstance(state, str):
            return state
    for verdict in ("intact-old", "intact-new"):
        if all(states[k] == v for k, v in expect[verdict].items()):
            return verdict
    old, now = expect["intact-old"]["USER00.INI"], states["USER00.INI"]
    count = sum(len(m) for m in now[1])
    expected = sum(len(m) for m in old[1])
    if count > expected:
        return "duplicated"
    if count < expected:
        return "lost"
    new = expect["intact-new"]["USER00.INI"]
    if (now[0], now[1]) in ((new[0], old[1]), (old[0], new[1])):
        return "mismatched"
    return "other"


# ---- the trials ------------------------------------------------------------------------------

class Rig:
    def __init__(self, args):
        self.wine = os.environ.get("WINE64", "wine")
        self.dist = args.dist
        self.helper = args.helper
        self.data = args.data
        self.package = args.package
        self.temp = args.temp
        # Installs write into the program folder: they get a copy of it, made afresh each trial.
        self.program = args.data + "-program"
        self.template = args.data + "-template"
        build_template(self.template)
        self.expect = self.expected_states()

    def expected_states(self):
        self.fill("save")
        base = {"settings": settings_state(self.data), "USER00.INI": user_state(self.data, "USER00.INI"),
                "USER01.INI": user_state(self.data, "USER01.INI")}
        self.fill("other")
        plain = {"settings": settings_state(self.data), "USER00.INI": user_state(self.data, "USER00.INI"),
                 "USER01.INI": user_state(self.data, "USER01.INI")}
        names, items, _ = plain["USER00.INI"]
        moved = dict(plain, **{"USER00.INI": (names, [list(m) for m in base["USER00.INI"][1]], False)})
        swapped = dict(plain, **{"USER00.INI": ([names[1], names[0]] + names[2:], [items[1], items[0]] + items[2:],
                                               False)})
        switched = dict(plain, settings=(b"USER01.INI", plain["settings"][1]))
        return {"save": {"intact-old": base, "intact-new": moved},
                "switch": {"intact-old": plain, "intact-new": switched},
                "menus": {"intact-old": plain, "intact-new": swapped}}

    def fill(self, scenario):
        shutil.rmtree(self.data, ignore_errors=True)
        shutil.copytree(self.template, self.data)
        if scenario == "save":
            shutil.copy(os.path.join(self.template + "-legacy", "USER00.INI"), self.data)
        if scenario == "install":
            shutil.rmtree(self.program, ignore_errors=True)
            shutil.copytree(self.dist, self.program)

    def run(self, *args):
        return subprocess.run([self.wine] + list(args), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode

    def launcher_exe(self, scenario):
        return os.path.join(self.program if scenario == "install" else self.dist, "TOPLEX.exe")

    def start(self, scenario, *args):
        return subprocess.Popen([self.wine, self.launcher_exe(scenario)] + list(args), stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def hand_over_package(self):
        """A second start with the package: it hands the package to the running launcher and ends."""
        return self.start("install", "Z:" + os.path.abspath(self.package).replace("/", "\\"))

    def quiet(self, watch, seconds):
        """Waits for the folders to change, then to be quiet for that long (30 s at most)."""
        began, last = time.monotonic(), None
        while time.monotonic() - began < 30:
            if watch.drain():
                last = time.monotonic()
            elif last is not None and time.monotonic() - last > seconds:
                return
            time.sleep(0.01)

    @staticmethod
    def ended(process):
        """Waits for a launcher to end; one that hangs is killed, and that is a finding."""
        try:
            process.wait(timeout=30)
            return True
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            return False

    def trial(self, scenario, kill_at=None, delay=None):
        """Runs one trial; returns (verdict after the restart, verdict after its close, events seen,
        length, and for installs the verdict after installing again)."""
        self.fill(scenario)
        watch = Inotify(self.data, self.program) if scenario == "install" else Inotify(self.data)
        launcher = self.start(scenario)
        if self.run(self.helper, "wait") != 0:
            launcher.kill()
            launcher.wait()
            return ("no-start", "no-start", 0, 0, None)
        if scenario != "save":
            time.sleep(0.6)  # the first save after start is over
        watch.drain()
        if scenario == "install":
            action = self.hand_over_package()
        else:
            action = subprocess.Popen([self.wine, self.helper, scenario], stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL)
        began, seen, last, killed = time.monotonic(), 0, None, False
        killing = kill_at is not None or delay is not None
        while launcher.poll() is None:
            now = time.monotonic()
            got = watch.drain()
            if got:
                seen, last = seen + got, now
            if killing and ((kill_at is not None and seen >= kill_at) or (delay is not None and now - began >= delay)):
                # The pid started above is the launcher's own Wine process, not a wrapper.
                with open("/proc/%d/cmdline" % launcher.pid, "rb") as f:
                    assert b"TOPLEX.exe" in f.read()
                os.kill(launcher.pid, signal.SIGKILL)
                killed = True
                break
            # Unkilled, the write is over once the folder has been quiet for a second.
            if now - began > 20 or (not killing and last is not None and now - last > 1.0):
                break
            time.sleep(0.0005)
        length = (last or time.monotonic()) - began
        if not killed:  # a write with fewer events than asked for ends normally
            self.run(self.helper, "close")
        self.ended(action)  # the helper, or the second start, ends once the launcher is done with it
        if not self.ended(launcher):
            return ("hung", "hung", seen, length, None)
        time.sleep(0.1)
        # The next start: recovery happens while it loads, before its window shows.
        again = self.start(scenario)
        started = self.run(self.helper, "wait") == 0
        after_start = self.classify(scenario) if started else "no-start"
        closed = self.run(self.helper, "close")
        if not self.ended(again):
            watch.close()
            return (after_start, "hung", seen, length, None)
        after_close = self.classify(scenario)
        if closed == 2 and scenario != "install":  # an install cut off is told at the next start
            after_close = "notice"
        reinstalled = self.install_again(watch) if scenario == "install" else None
        watch.close()
        return (after_start, after_close, seen, length, reinstalled)

    def classify(self, scenario):
        if scenario == "install":
            return package_state(self.data, self.program, self.temp)
        return classify(self.data, self.expect[scenario])

    def install_again(self, watch):
        """The same package once more, into a launcher started afresh: all of it must be there."""
        launcher = self.start("install")
        if self.run(self.helper, "wait") != 0:
            launcher.kill()
            launcher.wait()
            return "no-start"
        watch.drain()
        action = self.hand_over_package()
        self.quiet(watch, 1.5)
        closed = self.run(self.helper, "close")
        if not self.ended(launcher) or not self.ended(action):
            return "hung"
        # A report at the end would name what it left out: nothing may be.
        return "reported" if closed == 2 else package_state(self.data, self.program, self.temp)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--trials", type=int, default=36)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--dist", required=True)
    parser.add_argument("--helper", required=True)
    parser.add_argument("--data", required=True, help="the launcher's data folder, as a Linux path")
    parser.add_argument("--package", required=True, help="the package the install trials hand over")
    parser.add_argument("--temp", required=True, help="the temporary folder of the launcher, as a Linux path")
    parser.add_argument("--only", help="the writes to try, comma separated (all by default)")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    try:
        return run_trials(args, rng)
    finally:
        for folder in (args.data, args.data + "-template", args.data + "-template-legacy", args.data + "-program"):
            shutil.rmtree(folder, ignore_errors=True)


def run_trials(args, rng):
    rig = Rig(args)
    scenarios = args.only.split(",") if args.only else ["save", "switch", "menus", "install"]
    counts, bad = {}, []
    # A run without a kill gives each write's number of file events and its length.
    events, lengths = {}, {}
    for s in scenarios:
        verdict = rig.trial(s)
        events[s], lengths[s] = max(verdict[2], 1), max(verdict[3], 0.05)
        if verdict[1] != "intact-new" or verdict[4] not in (None, "intact-new"):
            bad.append((s, "no kill", verdict))
    for n in range(args.trials):
        s = scenarios[n % len(scenarios)]
        round_ = n // len(scenarios)
        # Every file event of a write in turn (spread over the hundreds of an install), then
        # random moments within it.
        if round_ < events[s] and round_ % 2 == 0:
            kill = {"kill_at": 1 + (round_ * 37 % events[s] if s == "install" else round_)}
        elif round_ < events[s]:
            kill = {"kill_at": 1 + rng.randrange(events[s])}
        else:
            kill = {"delay": rng.uniform(0, lengths[s] * 1.2)}
        verdict = rig.trial(s, **kill)
        looks = list(verdict[:2]) + ([verdict[4]] if verdict[4] is not None else [])
        for v in looks:
            counts[v] = counts.get(v, 0) + 1
        if any(v not in ("intact-old", "intact-new") for v in verdict[:2]) or verdict[4] not in (None, "intact-new"):
            bad.append((s, kill, verdict))
    total = sum(counts.values())
    print("kill test: %d trials (%s), %d looks at the files" % (args.trials, ", ".join(
        "%s %d events in %.0f ms" % (s, events[s], lengths[s] * 1000) for s in scenarios), total))
    for key in sorted(counts):
        print("  %-12s %d" % (key, counts[key]))
    for s, kill, verdict in bad:
        print("  bad: %s %s -> %s" % (s, kill, verdict))
    print("bad: %d" % len(bad))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
