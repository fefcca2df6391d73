#!/usr/bin/python3
"""What the built-in gait does on the default robot, as docs/physics.md
quotes it: trotting in place, turning at step 0, walking forwards over a
grid of steps and turns, and walking backwards. Each walk is an ensemble
(up to 24 models, fewer once the verdict is clear) from a standing start;
speeds and yaw rates are the members' medians with p10 and p90.

    PYTHONPATH=build/default/python /usr/bin/python3 scripts/walk-figures.py
"""

import argparse

import trotix

TICK_S = 0.033


def walk(seconds, turn=0, step=0):
    return trotix.physics(round(seconds / TICK_S), turn=turn, step=step).summary


def spread(s, key):
    return f"{s[key]:.1f} [{s[key + '_p10']:.1f}, {s[key + '_p90']:.1f}]"


def falls(s):
    return f"falls {s['fall_probability']:.2f} of {s['members']} ({s['verdict']})"


def line(label, s):
    print(f"  {label}: forward {spread(s, 'forward_speed_mm_s')} mm/s, "
          f"yaw {spread(s, 'yaw_rate_deg_s')} deg/s, tilt {s['max_tilt_deg']:.1f} deg, {falls(s)}",
          flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seconds", type=float, default=60.0, help="at rest and turning")
    parser.add_argument("--grid-seconds", type=float, default=20.0, help="forwards and backwards")
    args = parser.parse_args()
    print(f"at rest and turning at step 0, {args.seconds:g} s:")
    line("rest", walk(args.seconds))
    for turn in (10, -10, 20, -20, 40, -40):
        line(f"turn {turn:+d}", walk(args.seconds, turn=turn))
    print(f"forwards, {args.grid_seconds:g} s:")
    for step in range(-130, -60, 10):
        for turn in (-10, 0, 10):
            line(f"step {step}, turn {turn:+d}", walk(args.grid_seconds, turn=turn, step=step))
    print(f"backwards, {args.grid_seconds:g} s:")
    for step in (60, 80, 100, 130):
        line(f"step {step}", walk(args.grid_seconds, step=step))


if __name__ == "__main__":
    main()
