#!/usr/bin/python3
"""Tunes the gait for the fastest forward walk that stays up and that a hobby
servo can follow, with CMA-ES (Debian's python3-cmaes) on the physics check,
whose model drives each joint with that servo.

Each candidate sets stepRate, stepHeight, footOffsetX and footOffsetZ of
every leg, walks the robot model for --seconds at the given sliders, and
scores its forward speed; a fall, or a joint faster than --servo-speed, ruins
the score. Candidates of a generation walk in parallel on all cores. The
script writes the best gait file and a plot of the search, and compares the
best with the built-in gait at the same sliders over a longer walk;
--compare FILE makes only that comparison, for a gait file found before.

    PYTHONPATH=build/default/python /usr/bin/python3 examples/tune_gait.py --out build/tuning
"""

import argparse
import concurrent.futures
import os
import pathlib
import time

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
from cmaes import CMA  # noqa: E402

import trotix  # noqa: E402

# The tuned fields and the box they are searched in.
PARAMETERS = {"stepRate": (0.5, 3.0), "stepHeight": (5.0, 40.0), "footOffsetX": (20.0, 80.0),
              "footOffsetZ": (65.0, 100.0)}
JOINTS = [f"leg{leg}_{joint}" for leg in range(4) for joint in ("pitch", "roll", "knee")]


def gait_text(values, servo_speed):
    """A gait file with the candidate's fields on every leg and the servo's speed on every joint."""
    fields = ", ".join(f"{name}: {value!r}" for name, value in values.items())
    joints = "\n".join(f"  {name}: {{max_speed: {servo_speed}}}" for name in JOINTS)
    return f"gait: {{{fields}}}\njoints:\n{joints}\n"


def walk(gait, args, seconds):
    """Forward speed (mm/s), whether it fell, and the fastest joint (rad/s)."""
    ticks = round(seconds * 1000.0 / gait.tick_period_ms)
    result = trotix.physics(ticks, turn=args.turn, step=args.step, gait=gait)
    fastest = max(joint["max_speed"] for joint in trotix.report(result, gait)["joints"].values())
    return result.summary["forward_speed_mm_s"], result.summary["fell"], fastest


def score(speed, fell, fastest, servo_speed):
    """What CMA-ES minimises: minus the speed, plus penalties that outweigh any speed."""
    penalty = 1000.0 if fell else 0.0
    penalty += 200.0 * max(0.0, fastest - servo_speed)
    return -speed + penalty


def best_of(history, servo_speed):
    """The fastest candidate that stayed up within the servo's speed, else the best scored."""
    good = [h for h in history if not h[3] and h[4] <= servo_speed]
    return max(good, key=lambda h: h[2]) if good else min(history, key=lambda h: h[-1])


def from_unit(x):
    return {name: lo + (hi - lo) * float(v) for (name, (lo, hi)), v in zip(PARAMETERS.items(), x)}


def tune(args, pool, builtin):
    # Joint speeds grow with stepRate: the search starts from the built-in
    # gait slowed until its fastest joint keeps up with the servo.
    defaults = dict(trotix.Gait().legs[0])
    defaults["stepRate"] *= min(1.0, args.servo_speed / builtin[2])
    start = [(defaults[name] - lo) / (hi - lo) for name, (lo, hi) in PARAMETERS.items()]
    optimizer = CMA(mean=np.clip(start, 0.05, 0.95), sigma=0.15, bounds=np.array([[0.0, 1.0]] * 4),
                    seed=args.seed, population_size=args.population)
    history = []  # (generation, values, speed, fell, fastest, score)
    for generation in range(args.generations):
        xs = [optimizer.ask() for _ in range(optimizer.population_size)]
        candidates = [from_unit(x) for x in xs]
        gaits = [trotix.Gait.from_yaml(gait_text(c, args.servo_speed)) for c in candidates]
        walks = list(pool.map(lambda g: walk(g, args, args.seconds), gaits))
        scores = [score(*w, args.servo_speed) for w in walks]
        optimizer.tell(list(zip(xs, scores)))
        history += [(generation, c, *w, s) for c, w, s in zip(candidates, walks, scores)]
        best = best_of(history, args.servo_speed)
        print(f"generation {generation + 1:2d}: best {best[2]:6.1f} mm/s, "
              f"fastest joint {best[4]:.2f} rad/s, fell {best[3]}", flush=True)
    return history


def plot(history, builtin, args, path):
    figure, (left, right) = plt.subplots(1, 2, figsize=(11, 4.2))
    index = np.arange(len(history))
    speed = np.array([h[2] for h in history])
    fell = np.array([h[3] for h in history])
    fast = np.array([h[4] > args.servo_speed for h in history]) & ~fell
    good = ~fell & ~fast
    left.scatter(index[good], speed[good], s=14, c="tab:green", label="stays up, servos keep up")
    left.scatter(index[fast], speed[fast], s=14, c="tab:orange", label="joint too fast for a servo")
    left.scatter(index[fell], speed[fell], s=14, c="tab:red", marker="x", label="fell")
    best_so_far = np.maximum.accumulate(np.where(good, speed, -np.inf))
    left.step(index, best_so_far, where="post", c="black", lw=1, label="best so far")
    left.axhline(builtin[0], c="tab:blue", ls="--", lw=1, label="built-in gait")
    left.set(xlabel="candidate", ylabel="forward speed, mm/s",
             title=f"CMA-ES at turn {args.turn}, step {args.step}, {args.seconds:g} s walks")
    left.legend(fontsize=8, loc="lower right")
    rates = np.array([h[1]["stepRate"] for h in history])
    heights = np.array([h[1]["stepHeight"] for h in history])
    shown = right.scatter(rates[good], heights[good], c=speed[good], s=18, cmap="viridis")
    right.scatter(rates[~good], heights[~good], s=10, c="lightgrey", label="fell or too fast")
    figure.colorbar(shown, ax=right, label="forward speed, mm/s")
    right.set(xlabel="stepRate", ylabel="stepHeight, mm", title="where the search went")
    right.legend(fontsize=8, loc="upper right")
    figure.tight_layout()
    figure.savefig(path, dpi=100)


def compare(builtin_gait, tuned_gait, args):
    print(f"over {args.check_seconds:g} s at turn {args.turn}, step {args.step}:")
    for name, gait in (("built-in", builtin_gait), ("tuned", tuned_gait)):
        speed, fell, fastest = walk(gait, args, args.check_seconds)
        print(f"  {name:8s} forward {speed:6.1f} mm/s, fell {fell}, fastest joint {fastest:.2f} rad/s")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--turn", type=int, default=0)
    parser.add_argument("--step", type=int, default=-100)
    parser.add_argument("--generations", type=int, default=15)
    parser.add_argument("--population", type=int, default=8)
    parser.add_argument("--seconds", type=float, default=10.0, help="each candidate's walk")
    parser.add_argument("--check-seconds", type=float, default=30.0, help="the final comparison")
    parser.add_argument("--servo-speed", type=float, default=6.16,
                        help="rad/s the servos reach, for --check and the physics model alike "
                             "(6.16 is the model's default hobby servo, 0.17 s per 60 degrees)")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--out", type=pathlib.Path, default=pathlib.Path("tuning"))
    parser.add_argument("--compare", type=pathlib.Path, metavar="FILE",
                        help="no search: compare this gait file with the built-in gait")
    args = parser.parse_args()
    builtin_gait = trotix.Gait.from_yaml(gait_text({}, args.servo_speed))
    if args.compare:
        compare(builtin_gait, trotix.Gait.from_yaml(args.compare.read_text(), str(args.compare)),
                args)
        return
    args.out.mkdir(parents=True, exist_ok=True)

    began = time.monotonic()
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
        builtin = walk(builtin_gait, args, args.seconds)
        history = tune(args, pool, builtin)
    best = best_of(history, args.servo_speed)
    best_gait = trotix.Gait.from_yaml(gait_text(best[1], args.servo_speed))
    (args.out / "best-gait.yaml").write_text(best_gait.to_yaml())
    plot(history, builtin, args, args.out / "tuning.png")
    searched = time.monotonic() - began

    print(f"\n{len(history)} walks of {args.seconds:g} s in {searched:.0f} s; best: "
          + ", ".join(f"{k} {v:.2f}" for k, v in best[1].items()))
    compare(builtin_gait, best_gait, args)
    print(f"wrote {args.out / 'best-gait.yaml'} and {args.out / 'tuning.png'}")


if __name__ == "__main__":
    main()
