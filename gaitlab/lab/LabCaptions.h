// The words that describe a run of the lab: the plot's caption, the
// video's request and the physics map's caption.
#ifndef TROTIX_GAITLAB_LAB_LABCAPTIONS_H_
#define TROTIX_GAITLAB_LAB_LABCAPTIONS_H_

#include <string>

#include "gaitlab/lab/LabRequest.h"
#include "gaitlab/plot/GaitPlot.h"
#include "gaitlab/run/GaitSettings.h"
#include "gaitlab/run/Schedule.h"
#include "gaitlab/video/PhysicsVideo.h"

namespace trotix {

PlotCaption DescribeRun(const LabRequest& options, const Schedule& schedule);

VideoRequest DescribeVideo(const LabRequest& options, const GaitSettings& gait,
                           const Schedule& schedule);

std::string DescribeMap(const LabRequest& options);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_LAB_LABCAPTIONS_H_
