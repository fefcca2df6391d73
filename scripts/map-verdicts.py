#!/usr/bin/python3
"""The verdicts of the default slider map, as docs/physics.md quotes them:
how many of the 81 settings walk, fall or are uncertain, the grid, and the
cells the docs single out with their fall probability, 90 % interval and
how many members gave it. The same cells and ensembles as
`trotix-gait --physics-map` (10 s each, up to 24 members).

    PYTHONPATH=build/default/python /usr/bin/python3 scripts/map-verdicts.py [--seed N]
"""

import argparse
import collections

import trotix

TURNS = [-80, -60, -40, -20, 0, 20, 40, 60, 80]
STEPS = [-130, -97, -65, -32, 0, 32, 65, 97, 130]
SINGLED_OUT = [(-20, 97), (20, 97), (80, -65), (20, 65), (40, 32), (-40, -130), (0, -130)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, default=0)
    args = parser.parse_args()
    grid = trotix.physics_map(TURNS, STEPS, seed=args.seed)
    mark = {"walks": ".", "falls": "F", "uncertain": "?"}
    print("verdicts:", dict(collections.Counter(grid.verdict.ravel())))
    print("step \\ turn " + " ".join(f"{t:>4}" for t in TURNS))
    for j, step in enumerate(STEPS):
        print(f"{step:>11} " + " ".join(f"{mark[grid.verdict[i, j]]:>4}"
                                        for i in range(len(TURNS))))
    for turn, step in SINGLED_OUT:
        i, j = TURNS.index(turn), STEPS.index(step)
        print(f"({turn}, {step}): {grid.verdict[i, j]}, fall probability "
              f"{grid.fall_probability[i, j]:.2f} [{grid.fall_probability_low[i, j]:.2f}, "
              f"{grid.fall_probability_high[i, j]:.2f}] of {int(grid.members[i, j])} members, "
              f"scraped {grid.scraped_fraction[i, j]:.2f}, "
              f"{grid.forward_speed_mm_s[i, j]:.0f} mm/s, {grid.yaw_rate_deg_s[i, j]:.1f} deg/s")


if __name__ == "__main__":
    main()
