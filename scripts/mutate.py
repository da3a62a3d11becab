#!/usr/bin/python3
"""Mutation check of the platform-free core.

Applies each one-token slip of scripts/mutations.txt, one at a time, to its
source file, rebuilds the native core tests in build/mutate (the native
preset's settings, sanitizers on, as the test command runs them), runs them,
and puts the file back. A slip the tests notice is "killed"; one they let through "survived".
Prints the outcome of every slip, then the figures per file and in total.

    /usr/bin/python3 scripts/mutate.py              all slips
    /usr/bin/python3 scripts/mutate.py crop md2     only slips whose file path holds one of the words
    /usr/bin/python3 scripts/mutate.py --check      only look for every slip's place, build nothing
    /usr/bin/python3 scripts/mutate.py --fast       sanitizers off (build/mutate-fast): quicker, but a
                                                    slip that only reads out of bounds may survive

A slip whose context is missing, or found more than once, is "not applied"
and counted apart; so is one that does not compile. Every touched file is
restored, also on Ctrl+C or a failed build, and the script checks at the end
that each file holds exactly its original bytes again.
"""

import argparse
import hashlib
import os
import re
import signal
import subprocess
import sys
import time
from collections import OrderedDict

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LIST = os.path.join(ROOT, "scripts", "mutations.txt")
BUILD = os.path.join(ROOT, "build", "mutate")
SANITIZE = "ON"
# Besides the unit tests, the native test command compares the encoder's
# bytes with cjpeg's; run it as well when the unit tests pass.
EXTRA_CTEST = "^jpeg_same_as_cjpeg$"
TEST_TIMEOUT = 120

# One slip per line: the file, then three back-quoted fields (a context found
# exactly once in the file, the token inside it, its replacement), then an
# optional comment after "--". A comment starting with "equivalent:" says why
# the slip cannot change behaviour; such a survivor is counted as judged.
LINE = re.compile(r"^(\S+)\s+`([^`]+)`\s+`([^`]+)`\s+`([^`]*)`\s*(?:--\s*(.*))?$")


class Mutation:
    def __init__(self, number, path, context, token, replacement, comment):
        self.number = number
        self.path = path
        self.context = context
        self.token = token
        self.replacement = replacement
        self.comment = comment or ""
        self.outcome = None
        self.detail = ""

    @property
    def equivalent(self):
        return self.comment.lower().startswith("equivalent")

    def label(self):
        return f"#{self.number:<3} {self.path}: `{self.context}` {self.token} -> {self.replacement}"


def read_list(path):
    mutations = []
    with open(path, encoding="utf-8") as f:
        for lineno, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            m = LINE.match(line)
            if not m:
                sys.exit(f"{path}:{lineno}: not a slip line: {line}")
            mutations.append(Mutation(len(mutations) + 1, *m.groups()))
    return mutations


def mutated_text(text, mutation):
    """The file's text with the slip in it, or (None, reason)."""
    count = text.count(mutation.context)
    if count != 1:
        return None, "context not found" if count == 0 else f"context found {count} times"
    at = mutation.context.find(mutation.token)
    if at < 0:
        return None, "token not in its context"
    new_context = mutation.context[:at] + mutation.replacement + mutation.context[at + len(mutation.token):]
    return text.replace(mutation.context, new_context, 1), ""


def run(command, timeout=None):
    try:
        done = subprocess.run(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout, start_new_session=True)
        return done.returncode, done.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired as e:
        return "timeout", (e.stdout or b"").decode(errors="replace")


def configure_and_build():
    if not os.path.exists(os.path.join(BUILD, "build.ninja")):
        # The native preset's settings, in a folder of its own.
        code, out = run(["cmake", "-S", ROOT, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                         "-DPLAKATO_SANITIZE=" + SANITIZE])
        if code != 0:
            sys.exit("configuring build/mutate failed:\n" + out)
    return run(["cmake", "--build", BUILD, "-j2", "--target", "plakato_core_tests", "jpeg_encode_tool"])


def run_tests():
    """None when every test passes, otherwise a short reason."""
    code, out = run([os.path.join(BUILD, "bin", "plakato_core_tests"), "--gtest_brief=1"], timeout=TEST_TIMEOUT)
    if code == "timeout":
        return "tests ran past %d s" % TEST_TIMEOUT
    sanitizer = re.search(r"ERROR: (AddressSanitizer: [\w-]+)", out)
    if sanitizer:
        return sanitizer.group(1)
    if code != 0:
        failed = re.findall(r"^\[  FAILED  \] (\S+)", out, re.M)
        if failed:
            return "failed: " + ", ".join(sorted(set(failed))[:3]) + (" ..." if len(set(failed)) > 3 else "")
        return f"test program ended with {code}"
    code, out = run(["ctest", "--test-dir", BUILD, "-R", EXTRA_CTEST, "--timeout", str(TEST_TIMEOUT)])
    if code != 0:
        return "failed: jpeg_same_as_cjpeg"
    return None


def fingerprint(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[1])
    parser.add_argument("words", nargs="*", help="only slips whose file path holds one of these")
    parser.add_argument("--check", action="store_true", help="only look for every slip's place")
    parser.add_argument("--fast", action="store_true", help="sanitizers off, in build/mutate-fast")
    parser.add_argument("--list", default=LIST, help="the list of slips (default scripts/mutations.txt)")
    args = parser.parse_args()
    if args.fast:
        global BUILD, SANITIZE
        BUILD, SANITIZE = os.path.join(ROOT, "build", "mutate-fast"), "OFF"

    mutations = [m for m in read_list(args.list) if not args.words or any(w in m.path for w in args.words)]
    files = sorted({m.path for m in mutations})
    originals = {}
    for path in files:
        full = os.path.join(ROOT, path)
        if os.path.exists(full):
            with open(full, "rb") as f:
                originals[path] = f.read()
    prints = {path: fingerprint(os.path.join(ROOT, path)) for path in originals}

    # SIGTERM and SIGHUP end the run the way Ctrl+C does, through the finally below.
    def stop(signum, _frame):
        raise KeyboardInterrupt(f"signal {signum}")
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGHUP, stop)

    started = time.monotonic()
    interrupted = False
    try:
        if not args.check:
            code, out = configure_and_build()
            if code != 0:
                sys.exit("the unchanged tree does not build in build/mutate:\n" + out[-3000:])
            reason = run_tests()
            if reason:
                sys.exit("the unchanged tree does not pass its tests: " + reason)
        for m in mutations:
            if m.path not in originals:
                m.outcome, m.detail = "not applied", "file not found"
            else:
                text, why = mutated_text(originals[m.path].decode("utf-8"), m)
                if text is None:
                    m.outcome, m.detail = "not applied", why
                elif args.check:
                    m.outcome = "found"
                else:
                    full = os.path.join(ROOT, m.path)
                    try:
                        with open(full, "wb") as f:
                            f.write(text.encode("utf-8"))
                        code, out = configure_and_build()
                        if code != 0:
                            m.outcome, m.detail = "not applied", "does not compile"
                        else:
                            reason = run_tests()
                            m.outcome, m.detail = ("killed", reason) if reason else ("survived", "")
                    finally:
                        with open(full, "wb") as f:
                            f.write(originals[m.path])
            note = m.detail or (m.comment if m.outcome == "survived" else "")
            print(f"{m.outcome:<12} {m.label()}" + (f"  [{note}]" if note else ""), flush=True)
    except KeyboardInterrupt:
        interrupted = True
        print("\ninterrupted; the files are restored", file=sys.stderr)
    finally:
        for path, data in originals.items():
            full = os.path.join(ROOT, path)
            if fingerprint(full) != prints[path]:
                with open(full, "wb") as f:
                    f.write(data)
        changed = [p for p in originals if fingerprint(os.path.join(ROOT, p)) != prints[p]]
        if changed:
            print("ERROR: not restored: " + ", ".join(changed), file=sys.stderr)
            sys.exit(2)

    done = [m for m in mutations if m.outcome is not None]
    if args.check:
        missing = [m for m in done if m.outcome != "found"]
        print(f"\n{len(done) - len(missing)} of {len(done)} slips found their place")
        return 1 if missing else 0

    print("\nper file: killed / applied (survived, judged equivalent, not applied)")
    per_file = OrderedDict((path, []) for path in files)
    for m in done:
        per_file[m.path].append(m)

    def figures(group):
        applied = [m for m in group if m.outcome in ("killed", "survived")]
        killed = sum(m.outcome == "killed" for m in applied)
        survived = [m for m in applied if m.outcome == "survived"]
        equivalent = sum(m.equivalent for m in survived)
        skipped = sum(m.outcome == "not applied" for m in group)
        return killed, len(applied), len(survived), equivalent, skipped

    for path, group in per_file.items():
        killed, applied, survived, equivalent, skipped = figures(group)
        print(f"  {path:<36} {killed:>3} / {applied:<3} ({survived} survived, {equivalent} equivalent, "
              f"{skipped} not applied)")
    killed, applied, survived, equivalent, skipped = figures(done)
    share = 100.0 * killed / applied if applied else 0.0
    print(f"total: {killed} killed of {applied} applied ({share:.1f} %), {survived} survived "
          f"({equivalent} judged equivalent, {survived - equivalent} not), {skipped} not applied; "
          f"{time.monotonic() - started:.0f} s")
    if interrupted:
        return 130
    return 0


if __name__ == "__main__":
    sys.exit(main())
