#!/usr/bin/python3
"""Figures of trotix-drive on this machine, not a timed test:

  wake lateness  a run of --ticks N on a record bus to /dev/null, from its
                 telemetry: median, p99 and worst late_us, and the ticks that
                 woke more than a period late (missed);
  e-stop         space on the keyboard (a pty) to the torque-off frame on a
                 UDP receiver, over several presses;
  frames         bytes per tick of each bus and their time on a serial line.

  bench/drive-figures.py [--program PATH] [--ticks N] [--realtime] [--load]

--load keeps both cores busy with two spinning processes meanwhile.
"""
import argparse
import json
import os
import socket
import statistics
import subprocess
import sys
import tempfile
import time

ROBOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "robot.yaml")


def lateness(program, ticks, realtime):
    with tempfile.TemporaryDirectory() as scratch:
        telemetry = os.path.join(scratch, "t.jsonl")
        args = [program, "--gait", ROBOT, "--bus", "record:/dev/null", "--input", "none",
                "--arm", "--ticks", str(ticks), "--telemetry", telemetry, "--step", "-100"]
        if realtime:
            args.append("--realtime")
        run = subprocess.run(args, stderr=subprocess.PIPE, text=True)
        if run.stderr:
            print(run.stderr.strip())
        late = [json.loads(line)["late_us"] for line in open(telemetry)][:-1]
    late.sort()
    period = 33000
    return {"ticks": len(late), "median_us": late[len(late) // 2],
            "p99_us": late[int(len(late) * 0.99)], "worst_us": late[-1],
            "missed": sum(1 for x in late if x > period)}


def estop(program, presses):
    receiver = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    receiver.bind(("127.0.0.1", 0))
    receiver.settimeout(5)
    master, slave = os.openpty()
    drive = subprocess.Popen([program, "--gait", ROBOT, "--bus",
                              "udp:127.0.0.1:%d" % receiver.getsockname()[1], "--arm"],
                             stdin=slave, stderr=subprocess.DEVNULL)
    delays = []
    for _ in range(presses):
        for _ in range(5):
            receiver.recv(64)  # armed frames are coming
        os.write(master, b" ")
        pressed = time.monotonic()
        while receiver.recv(64)[3] != 2:
            pass
        delays.append((time.monotonic() - pressed) * 1000)
        for _ in range(3 - 1):
            receiver.recv(64)  # the repeats
        os.write(master, b"a")
    os.write(master, b"q")
    drive.wait(5)
    return {"presses": presses, "median_ms": round(statistics.median(delays), 3),
            "worst_ms": round(max(delays), 3)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", default="build/default/tools/trotix-drive/trotix-drive")
    parser.add_argument("--ticks", type=int, default=1800)
    parser.add_argument("--realtime", action="store_true")
    parser.add_argument("--load", action="store_true")
    options = parser.parse_args()
    spinners = []
    if options.load:
        spinners = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(2)]
    try:
        print("wake lateness:", lateness(options.program, options.ticks, options.realtime))
        print("e-stop to torque-off frame:", estop(options.program, 10))
    finally:
        for spinner in spinners:
            spinner.kill()
    # 40 bytes a frame; 10 bits a byte on a serial line (8N1).
    print("frames: udp and serial 40 bytes per tick (torque off: 3 frames); serial at "
          "115200 baud %.2f ms per tick; record: one CSV row" % (40 * 10 / 115200 * 1000))


if __name__ == "__main__":
    main()
