#pragma once
// The record file (.rec): the text layout of an eruption history.
#include <functional>
#include <istream>
#include <string>

#include "model/PhaseRecord.h"

namespace magmo {

struct RecordHeader {
  std::string strFileName;  // the stratigraphic file that holds the starting topography
  float scale = 20;         // metres per column as stored
  int count = 0;            // phases 1..count
};

// The whole file: header lines, then per phase a blank line, "Record Phase: " n, six field
// lines and, for lava phases, one line per burst. Lines end with CR LF.
std::string recordFileText(const RecordHeader& header, const PhaseTable& table, const BurstTable& bursts);

// Reads a record file into header, table and bursts, phase by phase, so that a failure keeps
// the phases read so far. phasesRead counts the complete phases; onPhase(i) runs after each.
// Throws SimError with the reason and line on any malformed, truncated or out-of-range content,
// a line with more or fewer fields than its place holds among them, or text after the last phase.
void readRecordText(std::istream& in, RecordHeader& header, PhaseTable& table, BurstTable& bursts, int& phasesRead,
                    const std::function<void(int phase)>& onPhase = {});

}  // namespace magmo
