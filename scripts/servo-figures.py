#!/usr/bin/python3
"""What the servos make of the walk at step -100: the built-in gait and the
tuned one (examples/tuned-gait.yaml), each on the model's default hobby
servo and on a fast one, as docs/physics.md quotes them. Each walk is an
ensemble (up to 24 models, fewer once the verdict is clear) of SECONDS; the
speed is the members' median with its p10 and p90, the fall probability
with its 90 % interval, and for the front pitches the share of the time at
the torque limit and at the speed limit and the RMS lag behind the command;
then the largest torque a servo gives while the robot trots in place.

    PYTHONPATH=build/default/python /usr/bin/python3 scripts/servo-figures.py
"""

import argparse
import pathlib

import yaml

import trotix

JOINTS = [f"leg{leg}_{joint}" for leg in range(4) for joint in ("pitch", "roll", "knee")]
SERVOS = {"hobby (default)": None, "fast (11 rad/s, 1.5 N m)": {"max_speed": 11.0,
                                                              "max_torque_nm": 1.5}}
TUNED = pathlib.Path(__file__).resolve().parent.parent / "examples" / "tuned-gait.yaml"


def gait_on(text, servo):
    """The gait of `text` with every joint's servo replaced by `servo` (None: as it is)."""
    if servo is None:
        return trotix.Gait.from_yaml(text)
    document = yaml.safe_load(text) or {}
    joints = document.setdefault("joints", {})
    for name in JOINTS:
        joints.setdefault(name, {}).update(servo)
    return trotix.Gait.from_yaml(yaml.safe_dump(document))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seconds", type=float, default=60.0)
    parser.add_argument("--step", type=int, default=-100)
    args = parser.parse_args()
    print(f"{args.seconds:g} s at turn 0, step {args.step}; front pitch: at torque limit / "
          "at speed limit / RMS lag")
    for gait_name, text in (("built-in", ""), ("tuned", TUNED.read_text())):
        for servo_name, servo in SERVOS.items():
            gait = gait_on(text, servo)
            ticks = round(args.seconds * 1000.0 / gait.tick_period_ms)
            s = trotix.physics(ticks, step=args.step, gait=gait).summary
            front = [s["joints"][name] for name in ("leg0_pitch", "leg1_pitch")]
            mean = lambda key: sum(joint[key] for joint in front) / len(front)  # noqa: E731
            print(f"{gait_name:8s} {servo_name:26s} {s['forward_speed_mm_s']:6.1f} mm/s "
                  f"[{s['forward_speed_mm_s_p10']:.1f}, {s['forward_speed_mm_s_p90']:.1f}], "
                  f"falls {s['fall_probability']:.2f} [{s['fall_probability_low']:.2f}, "
                  f"{s['fall_probability_high']:.2f}] of {s['members']} ({s['verdict']}); "
                  f"front pitch {mean('at_limit_fraction'):.2f} / "
                  f"{mean('at_speed_limit_fraction'):.2f} / {mean('rms_lag_rad'):.3f} rad",
                  flush=True)
    # Trotting in place, the servos hold the robot up.
    rest = trotix.physics(round(10000.0 / 33.0), gait=trotix.Gait.from_yaml(
        "gait: {stepRate: 0}")).summary
    peak = max(joint["peak_torque_nm"] for joint in rest["joints"].values())
    rms = max(joint["rms_torque_nm"] for joint in rest["joints"].values())
    print(f"at rest (stepRate 0, 10 s): largest torque {peak:.2f} N m, {rms:.2f} N m rms, "
          f"trunk tilts at most {rest['max_tilt_deg']:.1f} degrees; falls "
          f"{rest['fall_probability']:.2f} of {rest['members']}")


if __name__ == "__main__":
    main()
