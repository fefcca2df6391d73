// Writes one JSON object per line and tick:
// {"tick":0,"angles":[12 radians],"commands":[12 micro-radians],
//  "targets":[[x,y,z] of legs 0..3]}   ("targets" only when asked for).
#ifndef TROTIX_TOOLS_JSONLTABLE_H_
#define TROTIX_TOOLS_JSONLTABLE_H_

#include "tools/GaitRun.h"
#include "tools/OutputBuffer.h"

namespace trotix {

class JsonlTable : public TickSink {
 public:
  JsonlTable(OutputBuffer& out, bool withTargets) : out_(out), withTargets_(withTargets) {}
  void addTick(const TickRecord& record) override;

 private:
  OutputBuffer& out_;
  bool withTargets_;
};

}  // namespace trotix

#endif  // TROTIX_TOOLS_JSONLTABLE_H_
