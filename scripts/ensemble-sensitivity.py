#!/usr/bin/python3
"""How far each of the physics model's uncertain parameters moves the walk,
and the ensemble's amplitude for it (the gait file's physics: spread: keys).

Each amplitude is the tolerance of the robot as built: a hobby servo's
spread between units and with its supply (torque, gain, damping, rotor),
weighing, floors, where the battery sits, how it is set down, and the
integration's own step. Each row walks one model with that parameter at
either end of its amplitude and nothing else varied, for SECONDS at step
-100 and trotting in place, and prints the forward speeds: the rows that
move them most are the ones an ensemble must span.

    PYTHONPATH=build/default/python /usr/bin/python3 scripts/ensemble-sensitivity.py
"""

import argparse
import concurrent.futures
import os

import trotix

# key in physics: spread:, the parameter it varies, amplitude, how it applies.
AMPLITUDES = [
    ("mass", "body_mass_kg", 0.03, "relative"),
    ("friction", "friction", 0.1, "relative"),
    ("servo_kp", "servo_kp", 0.15, "relative"),
    ("servo_torque_limit", "servo_torque_limit", 0.1, "relative"),
    ("servo_speed", "servo_max_speed", 0.1, "relative"),
    ("joint_damping", "joint_damping", 0.15, "relative"),
    ("joint_armature", "joint_armature", 0.3, "relative"),
    ("body_offset_mm", "body_forward_mm", 5.0, "mm"),
    ("time_step", "max_time_step_ms", 0.3, "shorter"),
]
# joint_damping: the default servo's back-EMF, its stall torque over its top speed.
NOMINAL = {"body_mass_kg": 0.65, "friction": 0.9, "servo_kp": 20.0, "servo_torque_limit": 0.9,
           "servo_max_speed": 6.16, "joint_damping": 0.9 / 6.16, "joint_armature": 0.004,
           "body_forward_mm": 66.5, "max_time_step_ms": 3.0}
NO_SPREAD = ("  spread: {mass: 0, friction: 0, servo_kp: 0, servo_torque_limit: 0, servo_speed: 0, "
             "joint_damping: 0, joint_armature: 0, body_offset_mm: 0, start_tilt_deg: 0, "
             "time_step: 0, command_noise_rad: 0}\n")


def ends(parameter, amplitude, how):
    value = NOMINAL[parameter]
    if how == "relative":
        return value * (1 - amplitude), value * (1 + amplitude)
    if how == "shorter":
        return value * (1 - amplitude), value
    return value - amplitude, value + amplitude


def speed(parameter, value, step, ticks):
    gait = trotix.Gait.from_yaml(f"physics:\n  {parameter}: {value!r}\n{NO_SPREAD}")
    summary = trotix.physics(ticks, step=step, gait=gait, ensemble=1).summary
    return summary["forward_speed_mm_s"], summary["fell"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seconds", type=float, default=20.0)
    args = parser.parse_args()
    ticks = round(args.seconds / 0.033)
    jobs = {}
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 1) as pool:
        for key, parameter, amplitude, how in AMPLITUDES:
            for value in ends(parameter, amplitude, how):
                for step in (-100, 0):
                    jobs[key, value, step] = pool.submit(speed, parameter, value, step, ticks)
        nominal = {step: pool.submit(speed, "friction", 0.9, step, ticks) for step in (-100, 0)}
    base = {step: job.result()[0] for step, job in nominal.items()}
    print(f"{args.seconds:g} s walks of one model; forward speed in mm/s "
          f"(nominal: {base[-100]:.1f} at step -100, {base[0]:.1f} in place)")
    print(f"{'spread key':<20}{'amplitude':>12}  {'step -100 at the ends':>26}  "
          f"{'in place at the ends':>22}")
    for key, parameter, amplitude, how in AMPLITUDES:
        low, high = ends(parameter, amplitude, how)
        cells = []
        for step in (-100, 0):
            speeds = [jobs[key, value, step].result() for value in (low, high)]
            cells.append(" / ".join(f"{s:.1f}{' fell' if fell else ''}" for s, fell in speeds))
        label = f"{amplitude:g} {how}"
        print(f"{key:<20}{label:>12}  {cells[0]:>26}  {cells[1]:>22}")
    print("start_tilt_deg 1 and command_noise_rad 0.002 stand for how the robot is set down "
          "and a servo's dead band.")


if __name__ == "__main__":
    main()
