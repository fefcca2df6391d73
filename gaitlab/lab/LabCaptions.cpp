#include "gaitlab/lab/LabCaptions.h"

#include "gaitlab/io/InputError.h"
#include "gaitlab/physics/PhysicsMap.h"
#include "gaitlab/plot/SliderSegments.h"

namespace trotix {

PlotCaption DescribeRun(const LabRequest& options, const Schedule& schedule) {
  PlotCaption caption;
  const std::string sliders =
      "turn " + std::to_string(options.turn) + ", step " + std::to_string(options.step);
  caption.subtitle = std::to_string(options.ticks) + " ticks \xC2\xB7 ";
  if (!options.gaitPath.empty())
    caption.subtitle += "gait " + PrintableText(options.gaitPath) + " \xC2\xB7 ";
  if (schedule.empty()) {
    caption.subtitle += sliders + " throughout";
    caption.segments = {{0, sliders}};
    return caption;
  }
  caption.subtitle += "schedule " + PrintableText(options.schedulePath) + " (" +
                      std::to_string(schedule.size()) + " rows) from " + sliders;
  if (options.rampTicks > 1) {
    caption.subtitle += ", ramps of " + std::to_string(options.rampTicks) + " ticks";
  }
  SliderSegments segments(options.ticks);
  segments.add(0, sliders);
  for (const ScheduleEntry& entry : schedule) {
    if (entry.tick >= options.ticks) break;
    segments.add(entry.tick,
                 "turn " + std::to_string(entry.turn) + ", step " + std::to_string(entry.step));
  }
  caption.segments = segments.segments();
  return caption;
}

VideoRequest DescribeVideo(const LabRequest& options, const GaitSettings& gait,
                           const Schedule& schedule) {
  VideoRequest request;
  request.shape.width = options.videoWidth;
  request.shape.height = options.videoHeight;
  request.shape.framesPerSecond =
      options.videoFps > 0.0 ? options.videoFps : 1000.0 / gait.tickPeriodMs;
  request.shape.format = options.videoGif ? VideoFormat::kGif : VideoFormat::kMp4;
  request.ticks = options.ticks;
  request.start = {options.turn, options.step};
  request.schedule = &schedule;
  request.rampTicks = options.rampTicks;
  return request;
}

std::string DescribeMap(const LabRequest& options) {
  return "9 x 9 slider settings, 10 s each from a standing start, medians of up to " +
         std::to_string(options.ensembleMembers) + " models" +
         (options.ensembleSeed != 0 ? " (seed " + std::to_string(options.ensembleSeed) + ")" : "") +
         " \xC2\xB7 " +
         (options.gaitPath.empty() ? std::string("the built-in gait and model")
                                   : "gait " + PrintableText(options.gaitPath));
}

}  // namespace trotix
