// Text of the model files (MJCF, URDF), which work in metres.
#ifndef TROTIX_GAITLAB_MODELTEXT_H_
#define TROTIX_GAITLAB_MODELTEXT_H_

#include <initializer_list>
#include <string>

#include "gaitlab/io/NumberText.h"

namespace trotix {

// "0.065 -0.0625 0" for {65, -62.5, 0} mm.
inline std::string Metres(std::initializer_list<double> millimetres) {
  std::string text;
  for (const double mm : millimetres) text += (text.empty() ? "" : " ") + DoubleText(mm / 1000.0);
  return text;
}

}  // namespace trotix

#endif  // TROTIX_GAITLAB_MODELTEXT_H_
