// The trot walk engine: plain state plus the operations that step it.
//
// Each tick() advances every leg's gait phase four frames, samples the leg's
// foot path into foot targets (frameTargets), solves frame 0 of the four legs
// with closed-form inverse kinematics and publishes the twelve angles in
// radians (jointAngles) and as micro-radian joint commands (jointCommands).
// The controls write four gait fields of every leg before each tick (see
// SliderMapping.h); viewers only read jointAngles.
//
// Lengths are millimetres, angles radians. A foot target is relative to the
// leg's shoulder: x along the direction of travel, y sideways, z downward.
// Legs 0 and 1 are the front legs, 2 and 3 the rear legs; 0 and 2 are on one
// side; 0 and 3, 1 and 2 are the diagonal pairs of the trot.
//
// Robustness: no input makes an operation crash, hang or publish a
// non-finite angle. The leg solvers (see LegSolver.cpp for the maths)
//   - treat a target of zero length, or with a NaN or infinite coordinate,
//     as the foot straight below the shoulder at the minimum reach (0, 0, rmin);
//   - scale huge finite targets without overflow, so they land on rmax along
//     their own ray;
//   - clamp the body pitch to +-90 degrees when the two heights are more than
//     130 mm apart, and use 0 when their difference is NaN;
//   - give a saturated shoulder roll (+-1.526071, asin 0.999) the sign of y,
//     so (x, y, z) and (x, -y, z) always get opposite rolls.
// A foot path whose along-track or vertical values are all equal is scaled
// by 0 in that direction, not by infinity. Out-of-range path positions are
// wrapped, and out-of-range legs, frames and joint slots ignored, rather
// than indexing past an array; conversions to integer commands saturate
// (NaN becomes 0).
#ifndef TROTIX_WALKENGINE_H_
#define TROTIX_WALKENGINE_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Public headers include one another by their own file names, so they work
// from the source tree and installed under include/trotix/ alike.
#include "LegGeometry.h"
#include "WalkTypes.h"

namespace trotix {

// Gait parameters and phase of one leg. The first twelve fields are also
// known by their slot number 0 to 11.
struct LegGaitParams {
  double stepRate = 2.0;
  double stepLength = 100.0;
  double sideStepLength = 0.00001;
  double turnStep = 0.0001;
  double footOffsetZ = 80.0;
  double stepHeight = 20.0;
  double footOffsetX = 50.0;
  double footOffsetY = 3.0;
  double phase = 0.0;
  double halfStepLength = stepLength * 0.5;
  double turnStroke = 0.00001;
  double halfSideStepLength = sideStepLength * 0.5;
  std::int32_t legIndex = 0;
};

// A closed foot path of ten points: x values and z values.
struct FootLocus {
  std::array<double, kLocusPoints> alongTrack{};
  std::array<double, kLocusPoints> vertical{};
};

// The foot paths of one walk mode: front for legs 0 and 1, rear for 2 and 3.
struct LocusSet {
  FootLocus front;
  FootLocus rear;
};

// A stored motion: a named, numbered list of poses. Each pose holds at least
// fifteen angles in degrees (three aux joints, then the twelve leg joints).
// The entry owns the list but not the pose arrays, which must outlive it; a
// null pose counts as missing.
struct MotionEntry {
  std::string name;
  std::int32_t id = 0;
  std::vector<const double*> poses;
};

// The default foot path shared by every stored LocusSet: along-track
// 0 -10 -20 -30 -20 0 20 45 22.5 0, vertical 12 14 15 16 5 -7.5 -13 -12 0 12.
FootLocus DefaultFootLocus();

class WalkEngine {
 public:
  // The built-in robot, or the robot of `geometry`: its legs' lengths,
  // limits and offsets and its shoulders' places.
  WalkEngine();
  explicit WalkEngine(const RobotGeometry& geometry);

  // One tick of the walk: advanceGait, then solve frame 0 for all legs and
  // publish jointAngles and jointCommands (command k is always
  // RadiansToJointCommand(jointAngles[k])). Resets framesPerTick to 1 and
  // pendingMotion to 0 first, so rows 1 to 3 never reach the outputs.
  void tick();
  // Stores a command into jointCommands[slot]; a slot outside 0..11 is ignored.
  void setJointCommand(JointCommand value, int slot);

  // Gait cycle (GaitCycle.cpp). advanceGait steps each leg's phase four times
  // by stepRate x 0.008 (a phase reaching 1.0 restarts at 0.0, the excess is
  // dropped) and fills frameTargets[frame][leg] for each step. The helpers
  // are public so that tests and tools can drive one stage at a time.
  void advanceGait();
  void computeLegFrame(int leg, int frame, double phase, double phaseOffset,
                       const std::array<double, kLocusPoints>& sourceAlong,
                       const std::array<double, kLocusPoints>& sourceVertical,
                       std::array<double, kLocusPoints>& targetAlong,
                       std::array<double, kLocusPoints>& targetVertical, double alongHalfStroke,
                       double stepHeight, double sideAmplitude, double offsetX, double offsetY,
                       double offsetZ);
  void scaleLocus(const std::array<double, kLocusPoints>& sourceAlong,
                  const std::array<double, kLocusPoints>& sourceVertical,
                  std::array<double, kLocusPoints>& targetAlong,
                  std::array<double, kLocusPoints>& targetVertical, double alongHalfStroke,
                  double stepHeight);
  void sampleLocus(const std::array<double, kLocusPoints>& targetAlong,
                   const std::array<double, kLocusPoints>& targetVertical, double cyclePosition);
  void writeFrameTarget(int leg, int frame, double cyclePosition, double sideAmplitude,
                        double offsetX, double offsetY, double offsetZ);

  // Leg inverse kinematics (LegSolver.cpp); outputs in the order roll, pitch,
  // knee, all written on every call and always finite. The pitch is wrapped
  // into (-3.141592, 3.141592]. The rear solver mirrors x and the body pitch.
  // The heights give the body pitch asin((heightB - heightA) / 130), 130 mm
  // being the distance between front and rear shoulders (geometry).
  void solveFrontLeg(double x, double y, double z, double& roll, double& pitch, double& knee,
                     double heightA, double heightB) const;
  void solveRearLeg(double x, double y, double z, double& roll, double& pitch, double& knee,
                    double heightA, double heightB) const;

  // Motion table (MotionTable.cpp). selectMotion looks an identifier up
  // (ids above 5000 lose 5000), loads the first pose of every matching entry
  // into auxTargets/jointTargets and runs the change check; an entry without
  // a pose loads nothing. targetsFarFromCommands reports a leg slot as far
  // when it differs by at least commandThreshold and lies at least two whole
  // commandSteps above its command (a commandStep of 0 counts as no step),
  // and with includeAux an aux slot when it differs by commandThreshold.
  void selectMotion(std::int32_t id);
  bool targetsFarFromCommands(bool includeAux) const;

  // The fields keep the engine's fixed layout order, so the three groups
  // below interleave; each run of fields is headed by its group's name.
  //
  //   PARAMETERS  what the walk is made from: set at construction or by the
  //               controls, read by the gait and the solvers.
  //               legs, walkMode, pitchHeightA/B, locusSet2/4/3, motionTable,
  //               commandThreshold, commandStep, geometry
  //   RESULTS     what a tick or a motion selection publishes: angles and
  //               commands.
  //               jointAngles, motionId, motionIndex, motionActive,
  //               auxCommands, jointCommands, auxTargets, jointTargets
  //   SCRATCH     the gait's and the tick's working values, rewritten before
  //               they are read; a user never needs to set them.
  //               framesPerTick, pendingMotion, locusMaxIndex, locusMinIndex,
  //               swingSpan, stanceSpan, locusSampleX, locusSampleZ,
  //               scaledLocus, frameTargets

  // ---- RESULTS: the joint angles of the last tick, which viewers draw.
  JointAngles jointAngles{};

  // ---- SCRATCH of the tick: reset at its start.
  std::int32_t framesPerTick = 1;
  std::int32_t pendingMotion = 0;

  // ---- PARAMETERS: every leg's gait (the controls write four fields of it,
  // the gait steps its phase) and the walk mode.
  std::array<LegGaitParams, kLegCount> legs;
  WalkMode walkMode = 2;

  // ---- SCRATCH of the gait: where the path scaled last turns, and the
  // point sampled last from it.
  std::int32_t locusMaxIndex = 0;
  std::int32_t locusMinIndex = 0;
  double swingSpan = 0.0;
  double stanceSpan = 0.0;
  double locusSampleX = 0.0;
  double locusSampleZ = 0.0;

  // ---- PARAMETERS: the body-pitch heights handed to the leg solvers and
  // the stored foot paths of walk modes 2, 4 and 3.
  double pitchHeightA = 0.0;
  double pitchHeightB = 0.0;
  LocusSet locusSet2;
  LocusSet locusSet4;
  LocusSet locusSet3;

  // ---- SCRATCH of the gait: each leg's path scaled to its stroke, and the
  // foot targets of this tick's four frames (the tick solves row 0).
  std::array<FootLocus, kLegCount> scaledLocus{};
  FrameTargets frameTargets{};

  // ---- PARAMETERS: the stored motions.
  std::vector<MotionEntry> motionTable;

  // ---- RESULTS: the motion selected last.
  std::int32_t motionId = 0;
  std::int32_t motionIndex = -1;
  bool motionActive = false;

  // ---- RESULTS: the joint commands, three aux joints (never driven) and
  // the twelve leg joints of the last tick.
  std::array<JointCommand, kAuxJointCount> auxCommands{};
  std::array<JointCommand, kJointCount> jointCommands{};

  // ---- RESULTS: the target commands loaded by motion selection.
  std::array<JointCommand, kAuxJointCount> auxTargets{};
  std::array<JointCommand, kJointCount> jointTargets{};

  // ---- PARAMETERS: the change check's threshold, then its step (motion
  // selection resets the step).
  std::int32_t commandThreshold = 34906;
  std::int32_t commandStep = 174532;

  // ---- PARAMETERS: the robot the gait and the solvers work for, read
  // afresh on every tick.
  RobotGeometry geometry;
};

}  // namespace trotix

#endif  // TROTIX_WALKENGINE_H_
