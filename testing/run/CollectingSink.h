// A tick sink that keeps every record of a run, for tests to read back.
#ifndef TROTIX_TESTING_RUN_COLLECTINGSINK_H_
#define TROTIX_TESTING_RUN_COLLECTINGSINK_H_

#include <vector>

#include "gaitlab/run/GaitRun.h"

namespace trotix {

class CollectingSink : public TickSink {
 public:
  void addTick(const TickRecord& record) override { records.push_back(record); }
  std::vector<TickRecord> records;
};

}  // namespace trotix

#endif  // TROTIX_TESTING_RUN_COLLECTINGSINK_H_
