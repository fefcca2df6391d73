// Writes one JSON object per line and tick:
// {"tick":0,"time_s":0,"angles":[12 radians],"commands":[12 micro-radians],
//  "targets":[[x,y,z] of legs 0..3]}   ("targets" only when asked for).
#ifndef TROTIX_GAITLAB_JSONLTABLE_H_
#define TROTIX_GAITLAB_JSONLTABLE_H_

#include "gaitlab/gait/GaitRun.h"
#include "gaitlab/io/OutputBuffer.h"
#include "gaitlab/tables/TableColumns.h"

namespace trotix {

class JsonlTable : public TickSink {
 public:
  JsonlTable(OutputBuffer& out, const TableLayout& layout) : out_(out), layout_(layout) {}
  void addTick(const TickRecord& record) override;

 private:
  OutputBuffer& out_;
  TableLayout layout_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_JSONLTABLE_H_
