#!/usr/bin/python3
"""Figures of trotix-drive on this machine, not a timed test:

  wake lateness  runs of --seconds S (default 600) each on a record bus to
                 /dev/null, with and without --realtime, on an idle machine
                 and with both cores kept busy by two shell loops; from the
                 telemetry: median, p99 and worst late_us, the ticks that woke
                 more than a period late (missed), and the drift: the last
                 tick's wake time minus its place on the grid (its late_us);
  e-stop         space on the keyboard (a pty), and SIGINT, to the
                 torque-off frame on a UDP receiver, over several tries;
  frames         bytes per tick of the frame buses and of a record row.

  bench/drive-figures.py [--program PATH] [--seconds S] [--runs idle,busy,...]

The runs: idle, idle-rt, busy, busy-rt (rt: --realtime). "Idle" is only as
idle as the machine is: other work on it counts too.
"""
import argparse
import json
import os
import signal
import socket
import statistics
import subprocess
import tempfile
import time

ROBOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "robot.yaml")


def lateness(program, seconds, realtime):
    period_ms = 33
    ticks = int(seconds * 1000 / period_ms)
    with tempfile.TemporaryDirectory() as scratch:
        telemetry = os.path.join(scratch, "t.jsonl")
        args = [program, "--gait", ROBOT, "--bus", "record:/dev/null", "--input", "none",
                "--arm", "--ticks", str(ticks), "--telemetry", telemetry, "--step", "-100"]
        if realtime:
            args.append("--realtime")
        run = subprocess.run(args, stderr=subprocess.PIPE, text=True)
        if run.stderr:
            print(run.stderr.strip())
        rows = [json.loads(line) for line in open(telemetry)]
    ticks = [row["late_us"] for row in rows if not row["stopped"]]
    late = sorted(ticks)
    return {"ticks": len(late), "median_us": late[len(late) // 2],
            "p99_us": late[int(len(late) * 0.99)], "worst_us": late[-1],
            "missed": sum(1 for x in late if x > period_ms * 1000), "drift_us": ticks[-1],
            "status": run.returncode}


def busy_loops():
    """Two plain shell loops, one a core."""
    return [subprocess.Popen(["sh", "-c", "while :; do :; done"]) for _ in range(2)]


def receiver_socket():
    receiver = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    receiver.bind(("127.0.0.1", 0))
    receiver.settimeout(5)
    return receiver, "udp:127.0.0.1:%d" % receiver.getsockname()[1]


def until_torque_off(receiver, since):
    while receiver.recv(64)[3] != 2:
        pass
    return (time.monotonic() - since) * 1000


def estop(program, presses):
    receiver, uri = receiver_socket()
    master, slave = os.openpty()
    drive = subprocess.Popen([program, "--gait", ROBOT, "--bus", uri, "--arm"],
                             stdin=slave, stderr=subprocess.DEVNULL)
    delays = []
    for _ in range(presses):
        for _ in range(5):
            receiver.recv(64)  # armed frames are coming
        os.write(master, b" ")
        delays.append(until_torque_off(receiver, time.monotonic()))
        for _ in range(3 - 1):
            receiver.recv(64)  # the repeats
        os.write(master, b"a")
    os.write(master, b"q")
    drive.wait(5)
    return {"presses": presses, "median_ms": round(statistics.median(delays), 3),
            "worst_ms": round(max(delays), 3)}


def sigint(program, tries):
    delays = []
    for _ in range(tries):
        receiver, uri = receiver_socket()
        drive = subprocess.Popen([program, "--gait", ROBOT, "--bus", uri, "--input", "none",
                                  "--arm"], stderr=subprocess.DEVNULL)
        for _ in range(5):
            receiver.recv(64)
        drive.send_signal(signal.SIGINT)
        delays.append(until_torque_off(receiver, time.monotonic()))
        drive.wait(5)
    return {"tries": tries, "median_ms": round(statistics.median(delays), 3),
            "worst_ms": round(max(delays), 3)}


def record_row_bytes(program):
    with tempfile.TemporaryDirectory() as scratch:
        record = os.path.join(scratch, "r.csv")
        subprocess.run([program, "--gait", ROBOT, "--bus", "record:" + record, "--input", "none",
                        "--arm", "--ticks", "300", "--step", "-100"], check=True)
        rows = open(record).read().splitlines()[1:]
    return sum(len(row) + 1 for row in rows) / len(rows)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", default="build/default/tools/trotix-drive/trotix-drive")
    parser.add_argument("--seconds", type=float, default=600)
    parser.add_argument("--runs", default="idle,idle-rt,busy,busy-rt")
    options = parser.parse_args()
    for run in options.runs.split(","):
        loops = busy_loops() if run.startswith("busy") else []
        try:
            print("wake lateness, %s:" % run,
                  lateness(options.program, options.seconds, run.endswith("-rt")), flush=True)
        finally:
            for loop in loops:
                loop.kill()
    print("space to torque-off frame:", estop(options.program, 10))
    print("SIGINT to torque-off frame:", sigint(options.program, 10))
    # 40 bytes a frame; 10 bits a byte on a serial line (8N1).
    print("frames: udp and serial 40 bytes per tick (torque off: 3 frames); serial at "
          "115200 baud %.2f ms per tick; record: %.1f bytes per row"
          % (40 * 10 / 115200 * 1000, record_row_bytes(options.program)))


if __name__ == "__main__":
    main()
