#include "gaitlab/gaitfile/BusSection.h"

#include <yaml-cpp/yaml.h>

namespace trotix {

GaitFileSection BusSection(BusSettings& bus) {
  return {"bus", [&bus](const YAML::Node& section, const YamlFields& fields, GaitSettings&) {
            fields.checkMap(section, "bus", {"uri"});
            if (const YAML::Node uri = section["uri"]) {
              if (!uri.IsScalar() || uri.Scalar().empty()) {
                fields.fail(uri, "bus.uri", "expected a bus such as udp:HOST:PORT");
              }
              bus.uri = uri.Scalar();
            }
          }};
}

}  // namespace trotix
