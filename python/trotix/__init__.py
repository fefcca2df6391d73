"""Trotix from Python: the trot walk engine, the gait lab and the physics check.

Everything runs in the same C++ as trotix-gait, with the GIL released, and
gives numpy arrays. Failures raise the command line's messages: a bad value
or file content is a ValueError, a file that cannot be read the OSError that
open() raises (FileNotFoundError, PermissionError), a failed write an OSError.

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
import os
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


def load_gait(path: "str | os.PathLike") -> Gait:
    """Reads a gait file as trotix-gait --gait does; refused content is a
    ValueError with the command line's message, which names the file, the
    line and the key; a missing or unreadable file is a FileNotFoundError or
    PermissionError."""
    return _trotix.load_gait(os.fspath(path))


def load_schedule(path: "str | os.PathLike") -> Schedule:
    """Reads a schedule file (CSV rows tick,turn,step) as trotix-gait --schedule does."""
    return _trotix.load_schedule(os.fspath(path))


def _gait(gait: Optional[Gait]) -> Gait:
    return Gait() if gait is None else gait


def _schedule(schedule: Any) -> Optional[Schedule]:
    """A Schedule from a Schedule, a file name or an (N, 3) array of tick, turn, step."""
    if schedule is None or isinstance(schedule, Schedule):
        return schedule
    if isinstance(schedule, (str, os.PathLike)):
        return load_schedule(schedule)
    rows = np.asarray(schedule)
    if rows.ndim != 2 or rows.shape[1] != 3:
        raise ValueError(f"schedule: expected an (N, 3) array of tick, turn, step, not shape {rows.shape}")
    # The file's own parser checks the rows, so the messages are the same.
    text = "".join(",".join(str(value.item()) for value in row) + "\n" for row in rows)
    return Schedule.from_csv(text, "schedule")


def run(ticks: int, turn: int = 0, step: int = 0, schedule: Any = None,
        gait: Optional[Gait] = None, ramp_ticks: int = 0) -> RunResult:
    """Runs the engine headless as trotix-gait does and returns every tick's row.

    The sliders start at turn and step and follow the schedule (a Schedule, a
    CSV file name, or an (N, 3) array of tick, turn, step), moving in ramps of
    ramp_ticks as --ramp does. The values equal trotix-gait's CSV exactly.
    """
    arrays = _trotix._run(ticks, turn, step, _schedule(schedule), _gait(gait), ramp_ticks)
    return RunResult(**arrays)


def report(result: RunResult, gait: Optional[Gait] = None) -> Dict[str, Any]:
    """The feasibility report of a run against the gait's joint limits, as the
    dict of trotix-gait --report."""
    text = _trotix._report_json(result.tick, result.angles, result.commands, result.targets,
                                _gait(gait))
    return json.loads(text)


def servo_pulses(result: RunResult, gait: Gait):
    """The servo pulse widths of a run: (channels, pulses), channels an (C,)
    array in increasing order and pulses (T, C) whole microseconds, as
    trotix-gait --format servo writes them."""
    return _trotix._servo_pulses(result.angles, gait)


def physics(ticks: int, turn: int = 0, step: int = 0, gait: Optional[Gait] = None,
            schedule: Any = None, ramp_ticks: int = 0,
            ensemble: int = ENSEMBLE_MEMBERS) -> PhysicsResult:
    """Runs the gait with the robot model in MuJoCo following it (trotix-gait
    --physics --ensemble N): the run's rows and the trunk's pose per tick from
    the first of `ensemble` slightly different models, and the summary over
    all of them (medians and spreads)."""
    arrays = _trotix._physics(ticks, turn, step, _schedule(schedule), _gait(gait), ramp_ticks,
                              ensemble)
    arrays["summary"] = json.loads(arrays["summary"])
    return PhysicsResult(**arrays)


def _map_cell(ticks: int, turn: int, step: int, gait: Gait, ensemble: int) -> Dict[str, Any]:
    """One setting of a map from a standing start: the summary alone."""
    return json.loads(_trotix._physics_summary(ticks, turn, step, gait, ensemble))


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


def physics_map(turns: Sequence[int], steps: Sequence[int], ticks: Optional[int] = None,
                gait: Optional[Gait] = None,
                executor: Optional[concurrent.futures.Executor] = None,
                ensemble: int = ENSEMBLE_MEMBERS) -> MapResult:
    """Walks each (turn, step) setting from a standing start, each cell a task
    on `executor` (any concurrent.futures.Executor, such as a Dask client's
    get_executor(); by default a thread pool on all cores). ticks defaults to
    at least MAP_SECONDS_PER_SETTING seconds of the gait's ticks, as --physics-map;
    each cell walks an ensemble of `ensemble` models, as --ensemble."""
    gait = _gait(gait)
    if ticks is None:
        ticks = _trotix._map_ticks(gait)
    turns = np.asarray(turns, dtype=int).reshape(-1)
    steps = np.asarray(steps, dtype=int).reshape(-1)
    cells = [(int(turn), int(step)) for turn in turns for step in steps]
    own = executor is None
    if own:
        executor = concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 1)
    try:
        futures = [executor.submit(_map_cell, ticks, turn, step, gait, ensemble) for turn, step in cells]
        summaries = [future.result() for future in futures]
    finally:
        if own:
            executor.shutdown(cancel_futures=True)
    shape = (len(turns), len(steps))
    keys = summaries[0].keys() if summaries else []
    fields = {key: _stack([summary[key] for summary in summaries], shape) for key in keys}
    return MapResult(turns, steps, fields)
