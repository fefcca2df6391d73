"""The physics check from Python: one run against trotix-gait, and a map on
local threads and on a Dask cluster."""

import concurrent.futures
import json
import threading
import time

import numpy as np
import pytest

import trotix


def test_physics_equals_the_command_lines(tmp_path, gait_program):
    status, _, error = gait_program("--ticks", "120", "--turn", "20", "--step", "-65", "--physics",
                                    "--output", "run.csv", "--physics-summary", "summary.json",
                                    "--seed", "5", "--threads", "1")
    assert status == 0, error
    result = trotix.physics(120, turn=20, step=-65, seed=5, threads=2)
    assert result.summary == json.loads((tmp_path / "summary.json").read_text())
    assert result.summary["verdict"] == "walks" and result.summary["fall_probability_high"] < 0.35
    # The gait asks the front pitches for more than the default servo's speed.
    front = result.summary["joints"]["leg0_pitch"]
    assert front["at_speed_limit_fraction"] > 0.2 and front["rms_lag_rad"] > 0.05
    table = np.loadtxt(tmp_path / "run.csv", delimiter=",", skiprows=1)
    assert np.array_equal(result.angles, table[:, 2:14])
    assert np.array_equal(result.body, table[:, 26:32])
    assert np.array_equal(result.pose["height"], table[:, 31])


def test_each_joint_is_driven_by_its_declared_servo():
    slow = trotix.Gait.from_yaml("joints:\n  leg0_pitch: {max_speed: 2, max_torque_nm: 0.5}\n")
    joints = trotix.physics(120, step=-65, gait=slow, ensemble=1).summary["joints"]
    declared, default = joints["leg0_pitch"], joints["leg1_pitch"]
    assert declared["peak_torque_nm"] == 0.5 and default["peak_torque_nm"] == 0.9
    assert declared["at_speed_limit_fraction"] > default["at_speed_limit_fraction"] + 0.2
    assert declared["rms_lag_rad"] > default["rms_lag_rad"]


def test_physics_map_on_dask_equals_the_serial_map():
    distributed = pytest.importorskip("distributed")
    turns, steps = [-40, 0], [-100, 60]
    with concurrent.futures.ThreadPoolExecutor(1) as one:
        serial = trotix.physics_map(turns, steps, ticks=60, executor=one)
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None,
                                  processes=True) as cluster, distributed.Client(cluster) as client:
        spread = trotix.physics_map(turns, steps, ticks=60, executor=client.get_executor())
    assert serial.forward_speed_mm_s.shape == (2, 2) and serial.fell.dtype == bool
    assert serial.fields.keys() == spread.fields.keys()
    for key, values in serial.fields.items():
        np.testing.assert_array_equal(values, spread.fields[key], err_msg=key)  # NaN == NaN
    cell = trotix.physics(60, turn=0, step=60).summary
    assert serial.yaw_rate_deg_s[1, 1] == cell["yaw_rate_deg_s"]
    assert serial.verdict[1, 1] == cell["verdict"]


@pytest.mark.parametrize("work", [lambda: trotix.run(300_000),
                                  lambda: trotix.physics_map([0], [-100], ticks=300,
                                                             executor=_Inline())])
def test_python_runs_on_while_the_cpp_works(work):
    """The GIL is released: this thread gets its share of the processor while
    another runs C++, rather than waiting for the C++ to end."""
    done = threading.Event()
    worker = threading.Thread(target=lambda: (work(), done.set()))
    own, everyone = time.thread_time(), time.process_time()
    worker.start()
    while not done.is_set():
        pass
    worker.join()
    own = time.thread_time() - own
    others = time.process_time() - everyone - own
    assert own > 0.25 * others


class _Inline(concurrent.futures.Executor):
    """Runs each task at once on the calling thread."""

    def submit(self, fn, *args, **kwargs):
        future = concurrent.futures.Future()
        future.set_result(fn(*args, **kwargs))
        return future
