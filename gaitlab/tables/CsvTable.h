// Writes one CSV row per tick: tick, time_s, the twelve joint angles, the
// twelve joint commands, optionally the four frame-0 foot targets and the
// physics model's trunk pose (body_x ... body_height).
#ifndef TROTIX_GAITLAB_CSVTABLE_H_
#define TROTIX_GAITLAB_CSVTABLE_H_

#include <string>

#include "gaitlab/io/OutputBuffer.h"
#include "gaitlab/run/GaitRun.h"
#include "gaitlab/tables/TableColumns.h"

namespace trotix {

class CsvTable : public TickSink {
 public:
  // Writes the header row at once.
  CsvTable(OutputBuffer& out, const TableLayout& layout);
  void addTick(const TickRecord& record) override;

  // The header row without its line end, e.g. "tick,time_s,leg0_pitch,...".
  static std::string HeaderRow(const TableLayout& layout);

 private:
  OutputBuffer& out_;
  TableLayout layout_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_CSVTABLE_H_
