#!/usr/bin/env python3
"""A tiny inetd for the tests: listens on 127.0.0.1 on a free port and, for every connection,
starts a program with the connection as its standard input, output and error.

    loopinetd.py start DIR PROGRAM [ARG...]   detach, write DIR/port and DIR/pid, return
    loopinetd.py stop DIR                     stop the server that `start` left in DIR

Only the server started by `start` (its pid file) and the programs it started are stopped.
"""
import os
import signal
import socket
import sys
import time


def serve(listener, argv, log):
    children = set()
    stopping = False

    def on_term(signum, frame):
        nonlocal stopping
        stopping = True

    signal.signal(signal.SIGTERM, on_term)
    signal.signal(signal.SIGINT, on_term)
    listener.settimeout(0.2)
    while not stopping:
        for pid in list(children):
            try:
                done, _ = os.waitpid(pid, os.WNOHANG)
            except ChildProcessError:
                done = pid
            if done:
                children.discard(pid)
        try:
            conn, peer = listener.accept()
        except socket.timeout:
            continue
        except InterruptedError:
            continue
        log.write("connection from %s:%d\n" % peer)
        log.flush()
        pid = os.fork()
        if pid == 0:
            try:
                listener.close()
                conn.setblocking(True)
                fd = conn.fileno()
                for target in (0, 1, 2):
                    os.dup2(fd, target)
                os.execv(argv[0], argv)
            finally:
                os._exit(127)
        children.add(pid)
        conn.close()
    listener.close()
    for pid in children:
        try:
            os.kill(pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
    deadline = time.monotonic() + 3
    while children and time.monotonic() < deadline:
        for pid in list(children):
            try:
                done, _ = os.waitpid(pid, os.WNOHANG)
            except ChildProcessError:
                done = pid
            if done:
                children.discard(pid)
        time.sleep(0.05)


def start(folder, argv):
    os.makedirs(folder, exist_ok=True)
    for name in ("port", "pid"):
        try:
            os.remove(os.path.join(folder, name))
        except FileNotFoundError:
            pass
    if not os.access(argv[0], os.X_OK):
        sys.exit("loopinetd: %s is not an executable program" % argv[0])
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    port = listener.getsockname()[1]
    pid = os.fork()
    if pid > 0:
        listener.close()
        for _ in range(100):
            if os.path.exists(os.path.join(folder, "port")):
                print("loopinetd: serving %s on 127.0.0.1:%d" % (argv[0], port))
                return
            time.sleep(0.05)
        sys.exit("loopinetd: the server did not come up")
    # The server: a session of its own, no terminal, nothing inherited that a caller waits on.
    os.setsid()
    log = open(os.path.join(folder, "loopinetd.log"), "a")
    devnull = os.open(os.devnull, os.O_RDWR)
    for target in (0, 1, 2):
        os.dup2(devnull if target == 0 else log.fileno(), target)
    with open(os.path.join(folder, "pid"), "w") as f:
        f.write("%d\n" % os.getpid())
    with open(os.path.join(folder, "port.tmp"), "w") as f:
        f.write("%d\n" % port)
    os.rename(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))
    try:
        serve(listener, argv, log)
    finally:
        for name in ("port", "pid"):
            try:
                os.remove(os.path.join(folder, name))
            except FileNotFoundError:
                pass
        os._exit(0)


def stop(folder):
    try:
        with open(os.path.join(folder, "pid")) as f:
            pid = int(f.read().strip())
    except (FileNotFoundError, ValueError):
        print("loopinetd: nothing to stop in %s" % folder)
        return
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    for _ in range(100):
        try:
            os.kill(pid, 0)
        except ProcessLookupError:
            return
        time.sleep(0.05)
    sys.exit("loopinetd: server %d did not stop" % pid)


def main():
    if len(sys.argv) >= 4 and sys.argv[1] == "start":
        start(sys.argv[2], sys.argv[3:])
    elif len(sys.argv) == 3 and sys.argv[1] == "stop":
        stop(sys.argv[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
