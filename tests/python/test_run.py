"""trotix.run, the engine's views, gait files and reports against trotix-gait."""

import _thread
import json
import threading
import time

import numpy as np
import pytest

import trotix

GAIT = """tick_period_ms: 20
gait: {stepRate: 2.5, stepHeight: 24, footOffsetX: 45}
legs: {leg2: {footOffsetY: 5}}
robot: {lower_leg_mm: {front: 82, rear: 84}, shoulder_y_mm: 58}
joints:
  leg0_knee: {lower: 0.5, upper: 2.0, max_speed: 6, channel: 3}
  leg1_pitch: {channel: 0, direction: -1, zero: 0.1}
"""

# (trotix-gait options, run() keywords); "gait.yaml" and "steps.csv" are written first.
RUNS = [
    (["--ticks", "300"], dict(ticks=300)),
    (["--ticks", "500", "--turn", "40", "--step", "-100", "--gait", "gait.yaml"],
     dict(ticks=500, turn=40, step=-100, gait="gait.yaml")),
    (["--ticks", "400", "--schedule", "steps.csv", "--ramp", "30"],
     dict(ticks=400, schedule=np.array([[0, 0, -130], [150, -80, 130], [300, 20, 0]]),
          ramp_ticks=30)),
]


def write_inputs(tmp_path):
    (tmp_path / "gait.yaml").write_text(GAIT)
    (tmp_path / "steps.csv").write_text("tick,turn,step\n0,0,-130\n150,-80,130\n300,20,0\n")


def keywords_in(tmp_path, keywords):
    keywords = dict(keywords)
    if "gait" in keywords:
        keywords["gait"] = trotix.load_gait(str(tmp_path / keywords["gait"]))
    return keywords


@pytest.mark.parametrize("options,keywords", RUNS)
def test_run_equals_the_command_lines_csv(tmp_path, gait_program, options, keywords):
    write_inputs(tmp_path)
    status, _, error = gait_program(*options, "--targets", "--output", "run.csv")
    assert status == 0, error
    table = np.loadtxt(tmp_path / "run.csv", delimiter=",", skiprows=1)
    result = trotix.run(**keywords_in(tmp_path, keywords))
    assert result.commands.dtype == np.int32
    assert np.array_equal(result.tick, table[:, 0])
    assert np.array_equal(result.time_s, table[:, 1])
    assert np.array_equal(result.angles, table[:, 2:14])
    assert np.array_equal(result.commands, table[:, 14:26])
    assert np.array_equal(result.targets.reshape(-1, 12), table[:, 26:38])


def test_report_and_servo_pulses_equal_the_command_lines(tmp_path, gait_program):
    write_inputs(tmp_path)
    options = ["--ticks", "300", "--step", "-130", "--gait", "gait.yaml"]
    assert gait_program(*options, "--format", "servo", "--output", "servo.csv",
                        "--report", "report.json")[0] == 0
    gait = trotix.load_gait(str(tmp_path / "gait.yaml"))
    result = trotix.run(300, step=-130, gait=gait)
    assert trotix.report(result, gait) == json.loads((tmp_path / "report.json").read_text())
    channels, pulses = trotix.servo_pulses(result, gait)
    table = np.loadtxt(tmp_path / "servo.csv", delimiter=",", skiprows=1)
    assert list(channels) == [0, 3]
    assert np.array_equal(pulses, table[:, 2:])


def test_engine_views_follow_the_engine_without_copies():
    engine = trotix.WalkEngine()
    angles, commands, targets = engine.joint_angles, engine.joint_commands, engine.frame_targets
    assert (angles.shape, commands.dtype, targets.shape) == ((12,), np.int32, (4, 4, 3))
    engine.legs[1].stepHeight = 30
    result = trotix.run(2, step=-60, gait=trotix.Gait.from_yaml("legs: {leg1: {stepHeight: 30}}"))
    for row in range(2):
        engine.set_sliders(0, -60)
        engine.tick()
        assert np.array_equal(angles, result.angles[row])  # the same arrays, updated in place
        assert np.array_equal(commands, result.commands[row])
        assert np.array_equal(targets[0], result.targets[row])
    with pytest.raises(ValueError):
        angles[0] = 1.0


@pytest.mark.parametrize("text", ["variants: {turn: rigid}", "variants: {roll: exact_roll_first}",
                                  "robot: {upper_leg_mm: 84, shoulder_x_mm: 80}"])
def test_engine_ticks_the_gaits_variants_and_robot_as_run_does(text):
    gait = trotix.Gait.from_yaml(text + "\n")
    engine = trotix.WalkEngine(gait)
    result = trotix.run(50, turn=40, step=-100, gait=gait)
    for row in range(50):
        engine.set_sliders(40, -100)
        engine.tick()
        assert np.array_equal(engine.joint_angles, result.angles[row])
    plain = trotix.run(50, turn=40, step=-100)
    assert np.abs(result.angles - plain.angles).max() > 0.01


def test_gait_text_is_the_command_lines_and_reads_back(tmp_path, gait_program):
    write_inputs(tmp_path)
    gait = trotix.load_gait(tmp_path / "gait.yaml")
    assert gait.to_yaml() == gait_program("--gait", "gait.yaml", "--print-gait")[1]
    assert trotix.Gait.from_yaml(gait.to_yaml()) == gait
    assert gait.legs[2]["footOffsetY"] == 5 and gait.tick_period_ms == 20


# Inputs the command line refuses: the module refuses them with its message,
# a file it cannot read as open() would, without the option's name.
REFUSED_FILES = [
    ("--gait", "gait.yaml", "gait: {stepRate: -1}\n", lambda path: trotix.load_gait(path),
     ValueError),
    ("--gait", "gait.yaml", "tick_period_ms: 33\nlegs: {leg7: {}}\n", trotix.load_gait, ValueError),
    ("--gait", "gait.yaml", "gait: [unclosed\n", trotix.load_gait, ValueError),
    ("--gait", "missing.yaml", None, trotix.load_gait, FileNotFoundError),
    ("--schedule", "steps.csv", "0,0,0\n10,95,0\n", lambda path: trotix.run(20, schedule=path),
     ValueError),
    ("--schedule", "steps.csv", "5,0,0\n5,1,0\n", trotix.load_schedule, ValueError),
    ("--schedule", "missing.csv", None, lambda path: trotix.run(20, schedule=path),
     FileNotFoundError),
]


@pytest.mark.parametrize("option,name,text,call,error_type", REFUSED_FILES)
def test_refusals_carry_the_command_lines_message(tmp_path, gait_program, monkeypatch, option,
                                                  name, text, call, error_type):
    if text is not None:
        (tmp_path / name).write_text(text)
    status, _, error = gait_program(option, name)
    assert status == 2
    monkeypatch.chdir(tmp_path)
    with pytest.raises(error_type) as refusal:
        call(name)
    assert type(refusal.value) is error_type
    named = "" if error_type is ValueError else option + ": "
    assert "trotix-gait: " + named + str(refusal.value) + "\n" == error


@pytest.mark.parametrize("call,message", [
    (lambda: trotix.run(-1), "ticks: -1 is out of range 0 to 1000000000"),
    (lambda: trotix.run(5, step=131), "step: 131 is out of range -130 to 130"),
    (lambda: trotix.run(5, schedule=[[3, 0, 0], [2, 0, 0]]), "schedule:2: tick 2 does not come"),
    (lambda: trotix.run(5, schedule=[[0.5, 0, 0]]), "schedule:1: tick"),
    (lambda: trotix.run(5, schedule=np.zeros((2, 2))), "schedule: expected an (N, 3) array"),
    (lambda: trotix.Gait.from_yaml("gait:\n  stepRate: x\n"), "<yaml>:2: gait.stepRate"),
    (lambda: trotix.WalkEngine().set_sliders(-81, 0), "turn: -81 is out of range"),
    (lambda: trotix.servo_pulses(trotix.run(3), trotix.Gait()), "servo_pulses: no joint has a channel"),
])
def test_bad_arguments_are_value_errors(call, message):
    with pytest.raises(ValueError) as refusal:
        call()
    assert str(refusal.value).startswith(message)


def test_a_long_run_stops_at_ctrl_c():
    threading.Timer(0.2, _thread.interrupt_main).start()
    began = time.monotonic()
    with pytest.raises(KeyboardInterrupt):
        trotix.run(20_000_000)
    assert time.monotonic() - began < 5  # the whole run would take 12 s or more
    assert trotix.run(3).angles.shape == (3, 12)  # and the module works on
