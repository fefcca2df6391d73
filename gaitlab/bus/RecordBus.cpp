#include "gaitlab/bus/RecordBus.h"

#include <cstdio>
#include <exception>
#include <utility>

#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

// The frames come limited already: the table only writes them. Its own
// limiter then keeps every pulse as it is (an in-range pulse maps to its
// angle and back exactly) as long as it does not limit the speed again.
GaitSettings WrittenAsGiven(GaitSettings gait) {
  gait.slewLimit = false;
  return gait;
}

}  // namespace

RecordBus::RecordBus(const std::string& path, const GaitSettings& gait)
    : file_(path, "record"),
      buffer_(file_.stream(), file_.displayName(), 1 << 16),
      table_(buffer_, WrittenAsGiven(gait), "record") {}

void RecordBus::write(const BusFrame& frame) {
  TickRecord record;
  record.tick = frame.tick;
  for (int i = 0; i < frame.count; ++i) {
    record.angles[frame.servos[i].joint] = frame.servos[i].angle;
  }
  table_.addTick(record);
  buffer_.flush();
}

RecordBus::~RecordBus() {
  if (!failure_.empty()) std::fprintf(stderr, "trotix-drive: %s\n", failure_.c_str());
}

void RecordBus::torqueOff() noexcept {
  if (committed_) return;
  committed_ = true;
  try {
    buffer_.flush();
    file_.commit();
  } catch (const std::exception& error) {
    failure_ = error.what();
  }
}

// Otherwise a drive whose record was lost would end with status 0.
void RecordBus::finish() {
  if (failure_.empty()) return;
  const std::string failure = std::move(failure_);
  failure_.clear();
  throw OutputError(failure);
}

std::unique_ptr<ServoBus> OpenRecordBus(const std::string& target, const GaitSettings& gait) {
  return std::make_unique<RecordBus>(target, gait);
}

}  // namespace trotix
