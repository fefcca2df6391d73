// Writes one JSON object per line and tick:
// {"tick":0,"time_s":0,"angles":[12 radians],"commands":[12 micro-radians],
//  "targets":[[x,y,z] of legs 0..3]}   ("targets" only when asked for).
// In degrees the angles' keys say so: "angles_deg", "yaw_deg".
#ifndef TROTIX_GAITLAB_JSONLTABLE_H_
#define TROTIX_GAITLAB_JSONLTABLE_H_

#include <string>

#include "gaitlab/io/OutputBuffer.h"
#include "gaitlab/run/GaitRun.h"
#include "gaitlab/tables/TableColumns.h"

namespace trotix {

class JsonlTable : public TickSink {
 public:
  JsonlTable(OutputBuffer& out, const TableLayout& layout)
      : out_(out), layout_(layout), angleSuffix_(layout.angles.suffix()) {}
  void addTick(const TickRecord& record) override;

 private:
  OutputBuffer& out_;
  TableLayout layout_;
  std::string angleSuffix_;  // ends the keys that hold angles: "angles_deg"
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_JSONLTABLE_H_
