#!/usr/bin/env python3
"""The end of a session on the real program.

For each of SIGTERM, SIGHUP and SIGINT: starts the program on the offscreen
screen with a program folder and a temporary folder of its own, waits until
it has written the municipality table into its private temporary folder,
sends the signal and checks that the program exits with code 0, that the
private temporary folder is gone and that the single-instance lock is free.
Then the same with the signal sent as soon as the process exists: it is
blocked when the program is started, so it waits, pending, until the program
unblocks it, and reaches it before anything is written.

Usage: fine_sessione.py PROGRAM SCRATCH_FOLDER
"""
import fcntl
import os
import shutil
import signal
import subprocess
import sys
import time

DEADLINE = 60  # seconds for any one condition


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, condition, timeout=DEADLINE):
    end = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > end:
            fail("timed out waiting for " + what)
        time.sleep(0.05)


def one_signal(program, scratch, sig, early=False):
    folder = os.path.join(scratch, sig.name + ("-subito" if early else ""))
    shutil.rmtree(folder, ignore_errors=True)
    data, runtime = os.path.join(folder, "dati"), os.path.join(folder, "run")
    for d in (data, runtime):
        os.makedirs(d, mode=0o700)
    temp = os.path.join(runtime, "quotara")
    env = dict(os.environ, XDG_DATA_HOME=data, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="offscreen",
               HOME=folder, TMPDIR=folder)
    log = open(os.path.join(folder, "programma.log"), "w")
    if early:
        # The child inherits the blocked signal across exec.
        signal.pthread_sigmask(signal.SIG_BLOCK, {sig})
        try:
            proc = subprocess.Popen([program], env=env, stdout=log, stderr=subprocess.STDOUT)
            proc.send_signal(sig)
        finally:
            signal.pthread_sigmask(signal.SIG_UNBLOCK, {sig})
    else:
        proc = subprocess.Popen([program], env=env, stdout=log, stderr=subprocess.STDOUT)
    try:
        if not early:
            # The table is written once the program listens for the signals.
            wait_for("codfis.imu",
                     lambda: os.path.exists(os.path.join(temp, "codfis.imu")) or proc.poll() is not None)
            if proc.poll() is not None:
                fail("%s: the program ended by itself with %s" % (sig.name, proc.returncode))
            proc.send_signal(sig)
        try:
            rc = proc.wait(timeout=DEADLINE)
        except subprocess.TimeoutExpired:
            fail("%s: the program did not end" % sig.name)
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()
    if rc != 0:
        fail("%s: exit code %s (see %s)" % (sig.name, rc, log.name))
    if os.path.exists(temp):
        fail("%s: the temporary folder is still there: %s" % (sig.name, os.listdir(temp)))
    with open(os.path.join(data, "quotara", "quotara.lock"), "a") as lock:
        try:
            fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
        except OSError:
            fail("%s: the lock is still held" % sig.name)
    print("%s%s: exit code 0, temporary folder gone, lock free" % (sig.name, " at once" if early else ""))


def main():
    if len(sys.argv) != 3:
        fail(__doc__)
    program, scratch = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(scratch, exist_ok=True)
    for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
        one_signal(program, scratch, sig)
        one_signal(program, scratch, sig, early=True)


if __name__ == "__main__":
    main()
