// record:FILE.csv, a dry run: every frame the drive would send becomes one
// row of the servo table (trotix-gait's --format servo), the soft start's
// rows first. Nothing reads back; the file appears whole when the torque
// goes off.
#ifndef TROTIX_GAITLAB_BUS_RECORDBUS_H_
#define TROTIX_GAITLAB_BUS_RECORDBUS_H_

#include <memory>
#include <string>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/io/OutputBuffer.h"
#include "gaitlab/io/OutputFile.h"
#include "gaitlab/run/GaitSettings.h"
#include "gaitlab/tables/ServoTable.h"

namespace trotix {

class RecordBus : public ServoBus {
 public:
  RecordBus(const std::string& path, const GaitSettings& gait);
  // A failure finish() did not report is one line on standard error.
  ~RecordBus() override;

  bool readsBack() const override { return false; }
  BusReadback read() override { return {}; }
  void arm(const BusFrame&) override {}
  // Writes the row through to the file, so that a full disk stops the
  // drive at once (OutputError).
  void write(const BusFrame& frame) override;
  // Puts the file in place; a failure waits for finish().
  void torqueOff() noexcept override;
  // Throws OutputError when the file could not be put in place.
  void finish() override;

 private:
  OutputFile file_;
  OutputBuffer buffer_;
  ServoTable table_;
  bool committed_ = false;
  std::string failure_;  // why the file is not in place, until reported
};

std::unique_ptr<ServoBus> OpenRecordBus(const std::string& target, const GaitSettings& gait);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_RECORDBUS_H_
