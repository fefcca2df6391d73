#include "gaitlab/robot/RobotDescription.h"

namespace trotix {

RobotGeometry RobotDescription::geometry() const {
  RobotGeometry geometry;
  geometry.front = LegGeometryFrom(front);
  geometry.rear = LegGeometryFrom(rear);
  geometry.shoulderX = shoulderX;
  geometry.shoulderY = shoulderY;
  return geometry;
}

}  // namespace trotix
