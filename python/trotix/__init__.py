"""Trotix from Python: the trot walk engine, the gait lab and the physics check.

Everything runs in the same C++ as trotix-gait, with the GIL released, and
gives numpy arrays. Failures raise the command line's messages: a bad value
or file content is a ValueError, a file that cannot be read the OSError that
open() raises (FileNotFoundError, PermissionError), a failed write an OSError,
an argument of the wrong type a TypeError naming the function. Ctrl-C ends
every long call within a fraction of a second (KeyboardInterrupt).

    import trotix
    result = trotix.run(300, step=-100)          # result.angles: (300, 12) radians
    gait = trotix.load_gait("my-gait.yaml")
    summary = trotix.physics(600, step=-100, gait=gait).summary
    speeds = trotix.physics_map([-40, 0, 40], [-130, -60, 0]).forward_speed_mm_s
"""

from __future__ import annotations

import concurrent.futures
import dataclasses
import json
import math
import numbers
import os
import time
from typing import Any, Dict, Optional, Sequence

import numpy as np

from trotix._trotix import (
    BODY_FIELDS,
    ENSEMBLE_MEMBERS,
    MAP_SECONDS_PER_SETTING,
    Gait,
    LegGait,
    Schedule,
    WalkEngine,
)
from trotix import _trotix

__all__ = [
    "Gait", "LegGait", "MapResult", "PhysicsResult", "RunResult", "Schedule", "WalkEngine",
    "load_gait", "load_schedule", "physics", "physics_map", "report", "run", "servo_pulses",
]


@dataclasses.dataclass
class RunResult:
    """The ticks of a run, one row each, as trotix-gait's CSV holds them."""

    tick: np.ndarray  #: (T,) int64
    time_s: np.ndarray  #: (T,) float64, tick x the gait's tick period
    angles: np.ndarray  #: (T, 12) float64 radians, leg-major pitch, roll, knee
    commands: np.ndarray  #: (T, 12) int32 micro-radians
    targets: np.ndarray  #: (T, 4, 3) float64 frame-0 foot targets, mm


@dataclasses.dataclass
class PhysicsResult(RunResult):
    """A run with the robot model in MuJoCo following its joints."""

    body: np.ndarray  #: (T, 6) the trunk's pose at each tick's end, columns BODY_FIELDS
    summary: Dict[str, Any]  #: what trotix-gait --physics-summary writes, as a dict

    @property
    def pose(self) -> Dict[str, np.ndarray]:
        """The trunk's pose by name: x, y, height in mm; yaw, roll, pitch in radians."""
        return {name: self.body[:, i] for i, name in enumerate(BODY_FIELDS)}


class MapResult:
    """A physics summary per slider setting: every summary key is an attribute
    holding an array of shape (len(turns), len(steps))."""

    def __init__(self, turns: np.ndarray, steps: np.ndarray, fields: Dict[str, np.ndarray]):
        self.turns = turns
        self.steps = steps
        self.fields = fields

    def __getattr__(self, name: str) -> np.ndarray:
        fields = self.__dict__.get("fields", {})
        if name in fields:
            return fields[name]
        raise AttributeError(f"no summary field {name!r}; the fields are {', '.join(fields)}")


def _gait_from_text(text: str) -> Gait:
    """A pickled Gait read back from its gait file text."""
    return Gait.from_yaml(text, "<pickle>")


Gait.__reduce__ = lambda gait: (_gait_from_text, (gait.to_yaml(),))


def load_gait(path: "str | os.PathLike") -> Gait:
    """Reads a gait file as trotix-gait --gait does; refused content is a
    ValueError with the command line's message, which names the file, the
    line and the key; a missing or unreadable file is a FileNotFoundError or
    PermissionError."""
    return _trotix.load_gait(os.fspath(path))


def load_schedule(path: "str | os.PathLike") -> Schedule:
    """Reads a schedule file (CSV rows tick,turn,step) as trotix-gait --schedule does."""
    return _trotix.load_schedule(os.fspath(path))


def _whole(function: str, **values: Any):
    """The arguments as ints, each checked as the command line checks it:
    TypeError (naming `function`) unless an int, ValueError out of range."""
    return [_trotix._whole(function, name, value) for name, value in values.items()]


def _gait(function: str, gait: Optional[Gait]) -> Gait:
    if gait is None:
        return Gait()
    if not isinstance(gait, Gait):
        raise TypeError(f"{function}: gait must be a trotix.Gait or None, "
                        f"not {type(gait).__name__}")
    return gait


def _is_number(value: Any) -> bool:
    return isinstance(value, numbers.Real) and not isinstance(value, (bool, np.bool_))


def _cell_text(function: str, value: Any) -> str:
    """A schedule cell as the file would hold it, which the file's parser checks."""
    if not _is_number(value):
        raise TypeError(f"{function}: a schedule holds numbers, not {type(value).__name__}")
    if isinstance(value, numbers.Integral):
        return str(int(value))
    try:
        return repr(float(value))
    except OverflowError:
        return "inf"


def _schedule(function: str, schedule: Any) -> Optional[Schedule]:
    """A Schedule from a Schedule, a file name or an (N, 3) array of tick, turn, step."""
    if schedule is None or isinstance(schedule, Schedule):
        return schedule
    if isinstance(schedule, (str, os.PathLike)):
        return load_schedule(schedule)
    rows = np.asarray(schedule, dtype=object)
    if rows.ndim != 2 or rows.shape[1] != 3:
        raise ValueError(f"schedule: expected an (N, 3) array of tick, turn, step, not shape {rows.shape}")
    # The file's own parser checks the rows, so the messages are the same.
    text = "".join(",".join(_cell_text(function, value) for value in row) + "\n" for row in rows)
    return Schedule.from_csv(text, "schedule")


def run(ticks: int, turn: int = 0, step: int = 0, schedule: Any = None,
        gait: Optional[Gait] = None, ramp_ticks: int = 0) -> RunResult:
    """Runs the engine headless as trotix-gait does and returns every tick's row.

    The sliders start at turn and step and follow the schedule (a Schedule, a
    CSV file name, or an (N, 3) array of tick, turn, step), moving in ramps of
    ramp_ticks as --ramp does. The values equal trotix-gait's CSV exactly.
    """
    ticks, turn, step, ramp_ticks = _whole("run", ticks=ticks, turn=turn, step=step,
                                           ramp_ticks=ramp_ticks)
    arrays = _trotix._run(ticks, turn, step, _schedule("run", schedule), _gait("run", gait),
                          ramp_ticks)
    return RunResult(**arrays)


def _fields(function: str, result: Any, *names: str):
    try:
        return [getattr(result, name) for name in names]
    except AttributeError:
        raise TypeError(f"{function}: result must be a RunResult, "
                        f"not {type(result).__name__}") from None


def report(result: RunResult, gait: Optional[Gait] = None) -> Dict[str, Any]:
    """The feasibility report of a run against the gait's joint limits, as the
    dict of trotix-gait --report. The result's arrays must have a run's shapes,
    (T,), (T, 12), (T, 12) and (T, 4, 3) (ValueError), and dtypes that convert
    to int64, float64, int32 and float64 without loss (TypeError)."""
    arrays = _fields("report", result, "tick", "angles", "commands", "targets")
    return json.loads(_trotix._report_json(*arrays, _gait("report", gait)))


def servo_pulses(result: RunResult, gait: Gait):
    """The servo pulse widths of a run: (channels, pulses), channels an (C,)
    array in increasing order and pulses (T, C) whole microseconds, as
    trotix-gait --format servo writes them. result.angles must be (T, 12)."""
    (angles,) = _fields("servo_pulses", result, "angles")
    return _trotix._servo_pulses(angles, _gait("servo_pulses", gait))


def physics(ticks: int, turn: int = 0, step: int = 0, gait: Optional[Gait] = None,
            schedule: Any = None, ramp_ticks: int = 0,
            ensemble: int = ENSEMBLE_MEMBERS, seed: int = 0,
            threads: Optional[int] = None) -> PhysicsResult:
    """Runs the gait with the robot model in MuJoCo following it (trotix-gait
    --physics --ensemble N): the run's rows and the trunk's pose per tick from
    the first of up to `ensemble` slightly different models (added 6 at a time
    until the fall verdict is clear), and the summary over all of them
    (medians, spreads, fall_probability with its interval, verdict). Another
    `seed` draws other models (--seed). The models walk on `threads` threads,
    by default one per core (--threads); the result is the same on any number."""
    ticks, turn, step, ramp_ticks, ensemble, seed = _whole(
        "physics", ticks=ticks, turn=turn, step=step, ramp_ticks=ramp_ticks, ensemble=ensemble,
        seed=seed)
    threads = 0 if threads is None else _whole("physics", threads=threads)[0]
    arrays = _trotix._physics(ticks, turn, step, _schedule("physics", schedule),
                              _gait("physics", gait), ramp_ticks, ensemble, seed, threads)
    arrays["summary"] = json.loads(arrays["summary"])
    return PhysicsResult(**arrays)


def _map_cell(ticks: int, turn: int, step: int, gait: Gait, ensemble: int, seed: int,
              stop: Any = None) -> Dict[str, Any]:
    """One setting of a map from a standing start: the summary alone; ends
    early (RuntimeError) once `stop` is set."""
    return json.loads(_trotix._physics_summary(ticks, turn, step, gait, ensemble, seed, stop))


def _stack(values: Sequence[Any], shape) -> np.ndarray:
    """One summary key over all cells as an array of `shape` (plus the value's own)."""
    if all(isinstance(value, bool) for value in values):
        return np.array(values, dtype=bool).reshape(shape)
    try:
        numbers = np.array([np.nan if value is None else value for value in values], dtype=float)
    except (TypeError, ValueError):
        numbers = np.empty(len(values), dtype=object)
        numbers[:] = values
    return numbers.reshape(tuple(shape) + numbers.shape[1:])


def _sliders(function: str, name: str, values: Any) -> np.ndarray:
    cells = np.asarray(values, dtype=object).reshape(-1)
    return np.array([_trotix._whole(function, name, value) for value in cells], dtype=np.int64)


def _seconds(function: str, timeout: Any) -> Optional[float]:
    if timeout is None:
        return None
    if not _is_number(timeout):
        raise TypeError(f"{function}: timeout must be a number of seconds or None, "
                        f"not {type(timeout).__name__}")
    if not 0 <= timeout < math.inf:
        raise ValueError(f"timeout: {timeout!r} is not a number of seconds from 0 on")
    return float(timeout)


def _results(futures, timeout: Optional[float]):
    """Each future's result in order, all within `timeout` seconds. The wait
    wakes every 100 ms, so that Ctrl-C is seen however it arrives."""
    deadline = math.inf if timeout is None else time.monotonic() + timeout
    results = []
    for future in futures:
        while True:
            left = deadline - time.monotonic()
            try:
                results.append(future.result(timeout=max(0.0, min(left, 0.1))))
                break
            except concurrent.futures.TimeoutError:
                if left <= 0.1:
                    missing = len(futures) - len(results)
                    raise TimeoutError(f"physics_map: {missing} of {len(futures)} cells not "
                                       f"done after {timeout:g} s") from None
    return results


def physics_map(turns: Sequence[int], steps: Sequence[int], ticks: Optional[int] = None,
                gait: Optional[Gait] = None,
                executor: Optional[concurrent.futures.Executor] = None,
                ensemble: int = ENSEMBLE_MEMBERS, timeout: Optional[float] = None,
                seed: int = 0) -> MapResult:
    """Walks each (turn, step) setting from a standing start, each cell a task
    on `executor` (any concurrent.futures.Executor, such as a Dask client's
    get_executor(); by default a thread pool on all cores). ticks defaults to
    at least MAP_SECONDS_PER_SETTING seconds of the gait's ticks, as --physics-map;
    each cell walks an ensemble of up to `ensemble` models, as --ensemble, drawn
    with `seed`, as --seed. Turns and
    steps are ints within the sliders' ranges, as run()'s. With `timeout`
    seconds given, cells not done by then raise TimeoutError; then, as on
    Ctrl-C or a failed cell, the cells not started are cancelled and this
    process's running cells end."""
    gait = _gait("physics_map", gait)
    if ticks is None:
        ticks = _trotix._map_ticks(gait)
    ticks, ensemble, seed = _whole("physics_map", ticks=ticks, ensemble=ensemble, seed=seed)
    turns = _sliders("physics_map", "turn", turns)
    steps = _sliders("physics_map", "step", steps)
    timeout = _seconds("physics_map", timeout)
    if executor is not None and not callable(getattr(executor, "submit", None)):
        raise TypeError(f"physics_map: executor must be a concurrent.futures.Executor or None, "
                        f"not {type(executor).__name__}")
    cells = [(int(turn), int(step)) for turn in turns for step in steps]
    stop = _trotix._StopFlag()
    own = executor is None
    if own:
        executor = concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 1)
    futures, summaries = [], []
    try:
        futures = [executor.submit(_map_cell, ticks, turn, step, gait, ensemble, seed, stop)
                   for turn, step in cells]
        summaries = _results(futures, timeout)
    finally:
        if len(summaries) < len(cells):
            stop.set()
            for future in futures:
                future.cancel()
        if own:
            executor.shutdown(cancel_futures=True)
    shape = (len(turns), len(steps))
    keys = summaries[0].keys() if summaries else []
    fields = {key: _stack([summary[key] for summary in summaries], shape) for key in keys}
    return MapResult(turns, steps, fields)
