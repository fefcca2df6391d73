#include "gaitlab/drive/DriveLoop.h"

#include <optional>

#include "gaitlab/drive/DriveSignals.h"
#include "gaitlab/drive/SoftStart.h"
#include "gaitlab/drive/TickPacer.h"

namespace trotix {
namespace {

// Throws BusFault naming the first servo that reports its fault flag.
void CheckAlerts(const BusReadback& readback) {
  for (int i = 0; i < readback.count; ++i) {
    const ServoReading& servo = readback.servos[i];
    if (servo.alert) {
      throw BusFault("servo " + std::to_string(servo.channel) + " (" + JointName(servo.joint) +
                     ") reports a fault");
    }
  }
}

class Drive {
 public:
  Drive(WalkStep walk, ServoFrames& servos, ServoBus& bus, DriveInput& input,
        const std::vector<DriveObserver*>& observers, const DriveSettings& settings)
      : walk_(std::move(walk)),
        servos_(servos),
        bus_(bus),
        input_(input),
        observers_(observers),
        settings_(settings),
        pacer_(walk_.tickPeriodMs()) {
    controls_.sliders = settings.start;
    controls_.arm = settings.armAtStart;
  }

  DriveOutcome run() {
    try {
      return loop();
    } catch (const BusFault& fault) {
      return stop(DriveEnd::kBusFault, "bus fault", fault.what());
    } catch (...) {
      bus_.torqueOff();
      throw;
    }
  }

 private:
  enum class Phase { kDisarmed, kSoftStart, kWalking };

  DriveOutcome loop() {
    pacer_.start();
    for (;;) {
      // Before the wait too: a signal that came during a tick's work does
      // not interrupt the wait.
      if (const int signal = CaughtStopSignal()) {
        DriveOutcome outcome = stop(DriveEnd::kSignal, "signal");
        outcome.signal = signal;
        return outcome;
      }
      const Wake wake = pacer_.wait(input_.fd());
      if (wake == Wake::kInterrupted) continue;
      input_.poll(controls_);
      if (controls_.quit) return stop(DriveEnd::kQuit, "quit");
      if (controls_.stop) emergencyStop();
      if (wake != Wake::kDue) continue;
      if (phase_ != Phase::kDisarmed &&
          pacer_.lateUs() > settings_.lateStopPeriods * pacer_.periodUs()) {
        return stop(DriveEnd::kLate, "late",
                    "tick " + std::to_string(tick_) + " woke " +
                        std::to_string(pacer_.lateUs() / 1000) + " ms late (more than " +
                        std::to_string(settings_.lateStopPeriods) + " tick periods)");
      }
      if (controls_.arm) {
        controls_.arm = false;
        if (phase_ == Phase::kDisarmed) arm();
      }
      if (phase_ == Phase::kWalking && settings_.walkTicks >= 0 &&
          walkSent_ >= settings_.walkTicks) {
        return stop(DriveEnd::kTicksDone, "ticks");
      }
      if (phase_ != Phase::kDisarmed) sendTick();
      pacer_.next();
    }
  }

  // Reads where the servos stand, takes the walk's first tick and leads
  // the servos there from where they stand.
  void arm() {
    ChannelPulses from = servos_.restPulses();
    if (bus_.readsBack()) {
      readback_ = bus_.read();
      CheckAlerts(readback_);
      hasReadback_ = true;
      from = servos_.readPulses(readback_);
    }
    walk_.restart();
    servos_.restart();
    if (settings_.schedule) track_.emplace(settings_.start, *settings_.schedule);
    TickRecord first = walk_.step(nextSliders());
    if (settings_.reload) {
      settings_.reload->restart();
      settings_.reload->tick(walk_, sliders_, first);
    }
    first_ = servos_.limit(first.angles, 0, firstLimited_);
    softStart_.emplace(servos_, from, first_, walk_.tickPeriodMs());
    softRow_ = 0;
    walkSent_ = 0;
    bus_.arm(softStart_->frame(0, tick_));
    phase_ = Phase::kSoftStart;
    // Reading the servos back and turning their torque on happens once, not
    // every tick, and may take a slow bus several periods: the ticks count
    // from when the servos are armed.
    pacer_.start();
  }

  SliderPositions nextSliders() {
    sliders_ = track_ ? track_->next() : controls_.sliders;
    return sliders_;
  }

  void sendTick() {
    BusFrame frame;
    bool limited = false;
    const bool softStart = phase_ == Phase::kSoftStart;
    if (softStart) {
      frame = softStart_->frame(softRow_++, tick_);
      if (softRow_ == softStart_->ticks()) phase_ = Phase::kWalking;
    } else if (walkSent_ == 0) {
      frame = first_;
      limited = firstLimited_;
    } else {
      TickRecord record = walk_.step(nextSliders());
      if (settings_.reload) settings_.reload->tick(walk_, sliders_, record);
      frame = servos_.limit(record.angles, tick_, limited);
    }
    if (!softStart) ++walkSent_;
    frame.tick = tick_;
    bus_.write(frame);
    if (bus_.readsBack() && tick_ % kReadbackTicks == 0) {
      readback_ = bus_.read();
      CheckAlerts(readback_);
    }
    DriveTick tick = describe();
    tick.sent = &frame;
    tick.armed = true;
    tick.softStart = softStart;
    tick.limited = limited;
    observe(tick);
  }

  void emergencyStop() {
    controls_.stop = false;
    if (phase_ == Phase::kDisarmed) return;
    bus_.torqueOff();
    phase_ = Phase::kDisarmed;
    DriveTick tick = describe();
    tick.stopped = true;
    tick.why = "e-stop";
    observe(tick);
  }

  DriveOutcome stop(DriveEnd end, const char* why, std::string message = "") {
    bus_.torqueOff();
    phase_ = Phase::kDisarmed;
    DriveTick tick = describe();
    tick.stopped = true;
    tick.why = why;
    observe(tick);
    return {end, 0, std::move(message)};
  }

  DriveTick describe() const {
    DriveTick tick;
    tick.tick = tick_;
    tick.lateUs = pacer_.lateUs();
    tick.sliders = track_ ? sliders_ : controls_.sliders;
    tick.readback = hasReadback_ ? &readback_ : nullptr;
    return tick;
  }

  void observe(const DriveTick& tick) {
    ++tick_;
    for (DriveObserver* observer : observers_) observer->tick(tick);
  }

  WalkStep walk_;
  ServoFrames& servos_;
  ServoBus& bus_;
  DriveInput& input_;
  const std::vector<DriveObserver*>& observers_;
  const DriveSettings& settings_;
  TickPacer pacer_;
  DriveControls controls_;
  Phase phase_ = Phase::kDisarmed;
  std::optional<SliderTrack> track_;
  SliderPositions sliders_;
  std::optional<SoftStart> softStart_;
  std::int64_t softRow_ = 0, walkSent_ = 0, tick_ = 0;
  BusFrame first_;
  bool firstLimited_ = false;
  BusReadback readback_;
  bool hasReadback_ = false;
};

}  // namespace

DriveOutcome RunDrive(WalkStep walk, ServoFrames& servos, ServoBus& bus, DriveInput& input,
                      const std::vector<DriveObserver*>& observers, const DriveSettings& settings) {
  return Drive(std::move(walk), servos, bus, input, observers, settings).run();
}

}  // namespace trotix
