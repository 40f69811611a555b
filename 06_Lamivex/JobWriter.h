// The job file input_Lamivex.in as the run reads it: the one writer of that layout.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MdlDeclarations.h"

namespace lamivex {

// One layer of a job: its kind (1 glass, 2 film, 3 PVB, 4 a layer not bonded to its
// neighbours), product id, face emissivities in percent, whether it is turned, and the
// name the report prints for it.
struct JobLayer {
  int16_t kind = 1;
  int32_t id = 0;
  double emn1 = 84.0;
  double emn2 = 84.0;
  bool turned = false;
  std::string name;
};

// A whole job: the layers, layer 1 first, and the run information held for the report.
struct JobDescription {
  std::vector<JobLayer> layers;
  RunInformation info;
};

// The job's lines (UTF-8, without line ends): "Number glass" and "Langue" on lines 1 and
// 2, the layer table, the inversion list, the layer names and every run-information key.
// A job of no layers is written as such (the run then calculates nothing). Throws
// std::invalid_argument for a job the run cannot read back as written: more than 101
// layers, or a turned layer beyond the tenth.
std::vector<std::string> JobLines(const JobDescription& job);

// Writes the job file in Windows-1252 with CR LF line ends. Throws RunError(kExitFault)
// naming the file when it cannot be written.
void WriteJobFile(const std::string& path, const JobDescription& job);

}  // namespace lamivex
