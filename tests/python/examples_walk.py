#!/usr/bin/python3
"""Every gait file in examples/ walks: 30 s at turn 0, step -100, as the
physics check's ensemble, must give the verdict `walks`. The files walk in
parallel; each ensemble stops adding members once its verdict is clear.

    examples_walk.py EXAMPLES_DIR
"""

import concurrent.futures
import os
import pathlib
import sys

import trotix

SECONDS = 30.0


def verdict(path):
    gait = trotix.load_gait(path)
    ticks = round(SECONDS * 1000.0 / gait.tick_period_ms)
    summary = trotix.physics(ticks, turn=0, step=-100, gait=gait, threads=1).summary
    return (f"{path.name}: {summary['verdict']}, fall probability "
            f"{summary['fall_probability']:.2f} [{summary['fall_probability_low']:.2f}, {summary['fall_probability_high']:.2f}] of "
            f"{summary['members']} models, {summary['forward_speed_mm_s']:.1f} mm/s",
            summary["verdict"] == "walks")


def main():
    paths = sorted(pathlib.Path(sys.argv[1]).glob("*.yaml"))
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 1) as pool:
        results = list(pool.map(verdict, paths))
    for line, _ in results:
        print(line)
    return 0 if paths and all(walks for _, walks in results) else 1


if __name__ == "__main__":
    sys.exit(main())
