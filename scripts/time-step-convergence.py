#!/usr/bin/python3
"""How far the physics check's forward speed at step -100 lies from the
converged one, for each largest integration step, as docs/physics.md
quotes it.

MODELS models (the gait file's own, and others with the servos' gain,
torque and speed, the masses, the trunk's centre, the rotor and the
friction drawn within the gait file's ensemble spread) each walk SECONDS with every
step and with the finest, 0.25 ms. A step's error is the mean over the
models of each one's speed less its own 0.25 ms speed, relative to the
0.25 ms mean, with a 90 % interval (Student's t): pairing every model
with itself cancels the spread between models, which on a gait that
outruns its servos is far wider than the error. The processor time is the
median of three walks of the gait file's own model, each alone.

    PYTHONPATH=build/default/python /usr/bin/python3 scripts/time-step-convergence.py \\
        [--gait FILE] [--models 21] [--seconds 60] [--steps 3,2,1.5,1]
"""

import argparse
import concurrent.futures
import math
import os
import random
import statistics
import time

import yaml

import trotix

FINEST_MS = 0.25
TICK_S = 0.033
# The physics keys drawn relative to themselves, each with the gait's own
# `physics: spread:` amplitude named beside it.
RELATIVE = [("servo_kp", "servo_kp"), ("servo_torque_limit", "servo_torque_limit"),
            ("body_mass_kg", "mass"), ("upper_link_mass_kg", "mass"),
            ("lower_link_mass_kg", "mass"), ("joint_armature", "joint_armature"),
            ("friction", "friction")]
# Two-sided 90 % points of Student's t, by degrees of freedom (more: normal).
T90 = {5: 2.015, 10: 1.812, 15: 1.753, 20: 1.725, 30: 1.697, 60: 1.671}


def model_text(document, index):
    """The gait file with model `index`'s parameters (0: as it is)."""
    if index == 0:
        return yaml.safe_dump(document)
    draw = random.Random(index)
    changed = dict(document)
    physics = dict(changed["physics"])
    spread = physics["spread"]
    for key, amplitude in RELATIVE:
        physics[key] *= 1 + spread[amplitude] * draw.uniform(-1, 1)
    physics["body_forward_mm"] += spread["body_offset_mm"] * draw.uniform(-1, 1)
    speed = 1 + spread["servo_speed"] * draw.uniform(-1, 1)
    physics["servo_max_speed"] *= speed
    joints = {name: dict(entry) for name, entry in (changed.get("joints") or {}).items()}
    for entry in joints.values():
        if "max_speed" in entry:
            entry["max_speed"] *= speed
    changed["physics"], changed["joints"] = physics, joints
    return yaml.safe_dump(changed)


def walk(text, step_ms, seconds):
    """Forward speed (mm/s) of one model with largest step `step_ms`."""
    document = yaml.safe_load(text)
    document.setdefault("physics", {})["max_time_step_ms"] = step_ms
    gait = trotix.Gait.from_yaml(yaml.safe_dump(document))
    ticks = round(seconds / TICK_S)
    summary = trotix.physics(ticks, step=-100, gait=gait, ensemble=1, threads=1).summary
    return summary["forward_speed_mm_s"]


def timed(text, step_ms, seconds):
    """Processor time (s) of one walk, alone on the machine."""
    start = time.process_time()
    walk(text, step_ms, seconds)
    return time.process_time() - start


def interval90(differences):
    """Mean and half-width of its 90 % interval (none for one model)."""
    n = len(differences)
    if n < 2:
        return statistics.mean(differences), math.nan
    dof = n - 1
    t = next((T90[d] for d in sorted(T90) if dof <= d), 1.645)
    return statistics.mean(differences), t * statistics.stdev(differences) / math.sqrt(n)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--gait", help="a gait file (default: the built-in gait)")
    parser.add_argument("--models", type=int, default=21)
    parser.add_argument("--seconds", type=float, default=60.0)
    parser.add_argument("--steps", default="3,2,1.5,1")
    args = parser.parse_args()
    # The whole gait as printed, every physics default written out.
    text = open(args.gait).read() if args.gait else ""
    document = yaml.safe_load(trotix.Gait.from_yaml(text).to_yaml())
    texts = [model_text(document, i) for i in range(args.models)]
    steps = [float(s) for s in args.steps.split(",")]
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 1) as pool:
        speeds = {step: list(pool.map(lambda text, s=step: walk(text, s, args.seconds), texts))
                  for step in [FINEST_MS] + steps}
    finest = speeds[FINEST_MS]
    reference = statistics.mean(finest)
    print(f"{args.models} models, {args.seconds:g} s at step -100; {FINEST_MS} ms: mean "
          f"{reference:.1f} mm/s, models {min(finest):.1f} to {max(finest):.1f}")
    print("largest step (ms)  mean speed (mm/s)  against 0.25 ms (90 % interval)"
          "  CPU, one model (s)  times real time")
    for step in steps:
        mean, half = interval90([a - b for a, b in zip(speeds[step], finest)])
        cpu = statistics.median(timed(texts[0], step, args.seconds) for _ in range(3))
        print(f"{step:>17g}  {statistics.mean(speeds[step]):>17.1f}  "
              f"{100 * mean / reference:>+14.1f} % +- {100 * half / reference:.1f} %"
              f"  {cpu:>18.2f}  {args.seconds / cpu:>15.0f}")


if __name__ == "__main__":
    main()
