#include "gaitlab/tables/CsvTable.h"

#include "gaitlab/io/NumberText.h"
#include "gaitlab/tables/TableColumns.h"

namespace trotix {

std::string CsvTable::HeaderRow(const TableLayout& layout) {
  std::string header = "tick,time_s";
  for (const std::string& suffix : {layout.angles.suffix(), std::string("_cmd")}) {
    for (int leg = 0; leg < kLegCount; ++leg) {
      for (const char* joint : kJointNames) {
        header += ",leg" + std::to_string(leg) + "_" + joint + suffix;
      }
    }
  }
  if (layout.targets) {
    for (int leg = 0; leg < kLegCount; ++leg) {
      for (const char* axis : kAxisNames) header += ",leg" + std::to_string(leg) + "_" + axis;
    }
  }
  if (layout.body) {
    for (int i = 0; i < 6; ++i) {
      header +=
          std::string(",body_") + kBodyNames[i] + (kBodyIsAngle[i] ? layout.angles.suffix() : "");
    }
  }
  if (layout.torques) {
    for (int joint = 0; joint < kJointCount; ++joint)
      header += "," + JointName(joint) + "_torque_nm";
  }
  return header;
}

CsvTable::CsvTable(OutputBuffer& out, const TableLayout& layout) : out_(out), layout_(layout) {
  out_.append(HeaderRow(layout) + "\n");
}

void CsvTable::addTick(const TickRecord& record) {
  char* p = out_.reserve(kMaxRowChars);
  p = WriteInteger(p, record.tick);
  *p++ = ',';
  p = WriteDouble(p, layout_.seconds(record.tick));
  for (const double angle : record.angles) {
    *p++ = ',';
    p = WriteDouble(p, angle * layout_.angles.scale);
  }
  for (const JointCommand command : record.commands) {
    *p++ = ',';
    p = WriteInteger(p, command);
  }
  if (layout_.targets) {
    for (const auto& target : record.targets) {
      for (const double value : target) {
        *p++ = ',';
        p = WriteDouble(p, value);
      }
    }
  }
  if (layout_.body) {
    const std::array<double, 6> values = record.body.values();
    for (int i = 0; i < 6; ++i) {
      *p++ = ',';
      p = WriteDouble(p, kBodyIsAngle[i] ? values[i] * layout_.angles.scale : values[i]);
    }
  }
  if (layout_.torques) {
    for (const double torque : record.torques) {
      *p++ = ',';
      p = WriteDouble(p, torque);
    }
  }
  *p++ = '\n';
  out_.commit(p);
}

}  // namespace trotix
