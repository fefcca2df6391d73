"""Type hints of the trotix module (docstrings are in the module itself)."""

import concurrent.futures
import os
from typing import Any, Dict, List, Optional, Sequence, Tuple, Union

import numpy as np
import numpy.typing as npt

BODY_FIELDS: Tuple[str, ...]
ENSEMBLE_MEMBERS: int
MAP_SECONDS_PER_SETTING: float

class LegGait:
    # Each field refuses a value that is not finite or out of its bounds
    # (ValueError): a gait file key's bounds for the file's keys, lengths
    # within +-1000 mm, phase 0 to 1, turnStep -80 to 80, legIndex 0 to 3.
    stepRate: float
    stepLength: float
    sideStepLength: float
    turnStep: float
    footOffsetZ: float
    stepHeight: float
    footOffsetX: float
    footOffsetY: float
    phase: float
    halfStepLength: float
    turnStroke: float
    halfSideStepLength: float
    legIndex: int

class Gait:
    def __init__(self) -> None: ...
    @staticmethod
    def from_yaml(text: str, name: str = ...) -> Gait: ...
    def to_yaml(self) -> str: ...
    @property
    def tick_period_ms(self) -> float: ...
    @property
    def legs(self) -> List[Dict[str, float]]: ...

class Schedule:
    @staticmethod
    def from_csv(text: str, name: str = ...) -> Schedule: ...
    def __len__(self) -> int: ...
    @property
    def rows(self) -> npt.NDArray[np.int64]: ...

class WalkEngine:
    def __init__(self, gait: Gait = ...) -> None: ...
    def tick(self) -> None: ...
    def set_sliders(self, turn: int, step: int) -> None: ...
    @property
    def legs(self) -> List[LegGait]: ...
    walk_mode: int  # 2, 3 or 4
    @property
    def joint_angles(self) -> npt.NDArray[np.float64]: ...
    @property
    def joint_commands(self) -> npt.NDArray[np.int32]: ...
    @property
    def frame_targets(self) -> npt.NDArray[np.float64]: ...

class RunResult:
    tick: npt.NDArray[np.int64]
    time_s: npt.NDArray[np.float64]
    angles: npt.NDArray[np.float64]
    commands: npt.NDArray[np.int32]
    targets: npt.NDArray[np.float64]

class PhysicsResult(RunResult):
    body: npt.NDArray[np.float64]
    summary: Dict[str, Any]
    @property
    def pose(self) -> Dict[str, npt.NDArray[np.float64]]: ...

class MapResult:
    turns: npt.NDArray[np.int_]
    steps: npt.NDArray[np.int_]
    fields: Dict[str, np.ndarray]
    def __getattr__(self, name: str) -> np.ndarray: ...

ScheduleLike = Union[None, Schedule, str, os.PathLike, npt.ArrayLike]

def load_gait(path: Union[str, os.PathLike]) -> Gait: ...
def load_schedule(path: Union[str, os.PathLike]) -> Schedule: ...
def run(ticks: int, turn: int = ..., step: int = ..., schedule: ScheduleLike = ...,
        gait: Optional[Gait] = ..., ramp_ticks: int = ...) -> RunResult: ...
def report(result: RunResult, gait: Optional[Gait] = ...) -> Dict[str, Any]: ...
def servo_pulses(result: RunResult,
                 gait: Gait) -> Tuple[npt.NDArray[np.int64], npt.NDArray[np.int64]]: ...
def physics(ticks: int, turn: int = ..., step: int = ..., gait: Optional[Gait] = ...,
            schedule: ScheduleLike = ..., ramp_ticks: int = ...,
            ensemble: int = ..., seed: int = ..., threads: Optional[int] = ...) -> PhysicsResult: ...
def physics_map(turns: Sequence[int], steps: Sequence[int], ticks: Optional[int] = ...,
                gait: Optional[Gait] = ...,
                executor: Optional[concurrent.futures.Executor] = ...,
                ensemble: int = ..., timeout: Optional[float] = ...,
                seed: int = ...) -> MapResult: ...
