"""The module under hostile use: every fault is an exception the docs name,
never a crash, a hang or a wrong value."""

import _thread
import os
import pickle
import threading
import time

import numpy as np
import pytest
from hypothesis import HealthCheck, given, settings, strategies as st
from hypothesis.extra import numpy as hnp

import trotix

RUN = trotix.run(20)


def with_tick(tick):
    return trotix.RunResult(tick, RUN.time_s, RUN.angles, RUN.commands, RUN.targets)


@pytest.mark.parametrize("call,error,message", [
    (lambda: trotix.report(with_tick(np.zeros((20, 0), np.int64))), ValueError,
     "tick: shape (20, 0)"),
    (lambda: trotix.report(with_tick(np.arange(21))), ValueError, "angles: shape (20, 12)"),
    (lambda: trotix.report(with_tick(np.zeros((20, 2), int))), ValueError, "tick: shape"),
    (lambda: trotix.report(with_tick(RUN.time_s)), TypeError, "report: tick must be"),
    (lambda: trotix.report(with_tick(None)), TypeError, "report: tick must be"),
    (lambda: trotix.report(object()), TypeError, "report: result must be"),
    (lambda: trotix.servo_pulses(trotix.RunResult(0, 0, RUN.angles[:, :5], 0, 0), trotix.Gait()),
     ValueError, "angles: shape (20, 5)"),
    (lambda: trotix.physics_map([19.9], [0]), TypeError, "physics_map: turn must be an int"),
    (lambda: trotix.physics_map(["20"], [0]), TypeError, "physics_map: turn must be an int"),
    (lambda: trotix.physics_map([0], [131]), ValueError, "step: 131 is out of range"),
    (lambda: trotix.physics_map([0], [0], timeout=-1), ValueError, "timeout: -1"),
    (lambda: trotix.run(3, turn=19.9), TypeError, "run: turn must be an int"),
    (lambda: trotix.run(3, turn=True), TypeError, "run: turn must be an int"),
    (lambda: trotix.physics(3, ensemble="5"), TypeError, "physics: ensemble must be an int"),
    (lambda: trotix.physics(3, threads=0), ValueError, "threads: 0 is out of range"),
    (lambda: trotix.physics(3, threads=2.0), TypeError, "physics: threads must be an int"),
    (lambda: trotix.run(2 ** 70), ValueError, "ticks: "),
    (lambda: trotix.run(3, gait="gait.yaml"), TypeError, "run: gait must be"),
    (lambda: trotix.run(3, schedule=np.array([[0, "20", 0]], dtype=object)), TypeError,
     "run: a schedule holds numbers"),
    (lambda: trotix.run(3, schedule=np.array([[0, 0.5, 0]], dtype=object)), ValueError,
     "schedule:1: "),
    (lambda: trotix.Gait.from_yaml("#" * (1 << 20) + "#"), ValueError, "<yaml>: larger than 1 MiB"),
    (lambda: trotix.Schedule.from_csv("0,0,0\n" * (3 << 20)), ValueError,
     "<csv>: larger than 16 MiB"),
])
def test_faults_are_documented_exceptions(call, error, message):
    with pytest.raises(error) as refusal:
        call()
    assert str(refusal.value).startswith(message)


def test_an_object_schedule_of_numbers_is_read():
    rows = np.array([[0, 20, np.int64(-100)], [5, 10.0, 0]], dtype=object)
    assert np.array_equal(trotix.run(9, schedule=rows).angles,
                          trotix.run(9, schedule=rows.astype(int)).angles)


@pytest.mark.parametrize("field,value,error", [
    ("stepHeight", float("nan"), ValueError), ("footOffsetX", float("inf"), ValueError),
    ("stepRate", 1e308, ValueError), ("halfStepLength", -1e308, ValueError),
    ("phase", 1.5, ValueError), ("turnStroke", "1", TypeError), ("legIndex", 4, ValueError),
])
def test_gait_fields_refuse_what_the_engine_cannot_walk(field, value, error):
    engine = trotix.WalkEngine()
    with pytest.raises(error):
        setattr(engine.legs[1], field, value)
    with pytest.raises(ValueError):
        engine.walk_mode = 5
    engine.tick()
    assert np.isfinite(engine.frame_targets).all() and engine.walk_mode == 2


@pytest.mark.parametrize("kind", [trotix.Gait, trotix.WalkEngine, trotix.LegGait, trotix.Schedule])
def test_objects_from_new_alone_are_default_objects(kind):
    made = kind.__new__(kind)
    if kind is trotix.Gait:
        assert made == trotix.Gait() and trotix.run(3, gait=made).angles.shape == (3, 12)
    elif kind is trotix.WalkEngine:
        made.tick()
        engine = trotix.WalkEngine()
        engine.tick()
        assert made.walk_mode == 2 and np.array_equal(made.joint_angles, engine.joint_angles)
    elif kind is trotix.LegGait:
        assert made.stepRate == 2.0 and made.stepHeight == 20.0
    else:
        assert len(made) == 0 and trotix.run(3, schedule=made).angles.shape == (3, 12)


def test_a_gait_pickles_whole():
    gait = trotix.Gait.from_yaml("gait: {stepHeight: 31}\ntick_period_ms: 20\n")
    assert pickle.loads(pickle.dumps(gait)) == gait


LONG_TICK = "tick_period_ms: 1000\nphysics: {max_time_step_ms: 0.1}\n"


@pytest.mark.parametrize("call", [
    lambda: trotix.physics(1000, step=-100, gait=trotix.Gait.from_yaml(LONG_TICK), ensemble=5),
    lambda: trotix.physics_map([0, 20], [-100], ticks=1000, ensemble=3,
                               gait=trotix.Gait.from_yaml(LONG_TICK)),
])
def test_ctrl_c_ends_a_long_call_within_two_seconds(call):
    sent = []
    threading.Timer(0.5, lambda: (sent.append(time.monotonic()), _thread.interrupt_main())).start()
    with pytest.raises(KeyboardInterrupt):
        call()
    assert time.monotonic() - sent[0] < 2


def test_a_fifo_without_a_writer_leaves_other_threads_running(tmp_path):
    fifo = tmp_path / "gait.yaml"
    os.mkfifo(fifo)
    threading.Thread(target=trotix.load_gait, args=(fifo,), daemon=True).start()
    time.sleep(0.2)
    assert trotix.run(3).angles.shape == (3, 12)  # needs the GIL
    with open(fifo, "w"):
        pass  # lets the reader end


def test_a_map_whose_futures_never_complete_times_out():
    class Stuck:
        def submit(self, *args):
            return __import__("concurrent.futures").futures.Future()

    began = time.monotonic()
    with pytest.raises(TimeoutError):
        trotix.physics_map([0], [0, 10], ticks=3, executor=Stuck(), timeout=0.3)
    assert time.monotonic() - began < 2


SCALARS = st.one_of(st.none(), st.booleans(), st.integers(), st.floats(), st.text(max_size=3))
SHAPES = hnp.array_shapes(min_dims=0, max_dims=3, min_side=0, max_side=13)
DTYPES = st.sampled_from(["i8", "i4", "u8", "f8", "f4", "?", "U2"])
ANY = st.one_of(SCALARS, hnp.arrays(DTYPES, SHAPES),
                hnp.arrays(object, SHAPES, elements=SCALARS))
# OSError: a string schedule names a file, which may not exist; a map given
# too little time raises TimeoutError, one of its kinds.
DOCUMENTED = (ValueError, TypeError, OSError)


def fit(values, *shape):
    """An array's values in a run's shape, which reaches the report's loop."""
    return np.resize(values, shape) if isinstance(values, np.ndarray) and values.size else values


def few(values):
    """At most two of the values, so that a map stays small."""
    return np.ravel(values)[:2] if isinstance(values, np.ndarray) else values


# No time limits: a loaded machine (or a sanitizer build) makes examples slow.
@settings(max_examples=150, deadline=None, database=None,
          suppress_health_check=[HealthCheck.too_slow])
@given(st.sampled_from(["run", "physics", "report", "servo_pulses", "engine", "leg", "map"]),
       ANY, ANY, ANY)
def test_entry_points_raise_documented_exceptions_or_return(entry, a, b, c):
    calls = {
        "run": lambda: trotix.run(3, turn=a, step=b, schedule=c),
        "physics": lambda: trotix.physics(2, turn=a, schedule=b, ensemble=1),
        "report": lambda: trotix.report(trotix.RunResult(
            fit(a, 20), None, fit(b, 20, 12), fit(c, 20, 12), fit(a, 20, 4, 3))),
        "servo_pulses": lambda: trotix._trotix._servo_pulses(a, trotix.Gait()),
        "engine": lambda: trotix.WalkEngine.__new__(trotix.WalkEngine).set_sliders(a, b),
        "leg": lambda: setattr(trotix.LegGait.__new__(trotix.LegGait), "stepRate", a),
        "map": lambda: trotix.physics_map(few(a), few(b), ticks=1, ensemble=1, timeout=c),
    }
    try:
        calls[entry]()
    except DOCUMENTED:
        pass
