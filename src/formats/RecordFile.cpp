#include "formats/RecordFile.h"

#include "model/Model.h"
#include "model/Numeric.h"
#include "textio/FieldReader.h"
#include "textio/FieldWriter.h"

namespace magmo {

namespace {

void writePhase(FieldWriter& w, int i, const PhaseRecord& r, const BurstTable& bursts) {
  w.endLine();
  w.text("Record Phase: ");
  w.field(i);
  w.endLine();
  w.line(r.Location, int(r.Style), r.Strength, r.Wind);
  w.line(r.Particles, r.CalderaFlag, r.Directed, int(r.CalderaStyle));
  w.line(r.ScarpTop, r.ScarpBase, r.Bursts, r.Explosion);
  w.line(int(r.TectonicKind), r.Magnitude, r.Dip, int(r.DownSide), r.ErodeCycles);
  w.line(r.Slider[1], r.Slider[2], r.Slider[3], r.Slider[4], r.Slider[5], r.Slider[6]);
  w.line(r.MapA, r.MapB, r.MapC, r.MapD);
  if (r.isLava())
    for (int b = 1; b <= r.Bursts; ++b) w.line(bursts(i, b));
}

// Only what playback could not handle safely is refused here; odd but harmless values are the
// player's to limit, as it limits typed ones. The lines are read as written, so that a line
// lost or added is refused where it shows instead of shifting the values after it.
void readPhase(FieldReader& in, PhaseRecord& r, BurstTable& bursts, int i) {
  in.blankLine();
  in.line(2);
  in.skip();  // "Record Phase: "
  if (const int n = in.integer(); n != i)
    in.fail("Phase number " + std::to_string(n) + " where " + std::to_string(i) + " was expected");
  in.line(4);
  r.Location = in.single();
  r.Style = Style(in.integer(0, 7, "Style"));
  r.Strength = in.single();
  r.Wind = in.single();
  in.line(4);
  r.Particles = in.single();
  r.CalderaFlag = in.integer();
  r.Directed = in.integer();
  r.CalderaStyle = CalderaStyle(in.integer(0, 2, "CalderaStyle"));
  in.line(4);
  r.ScarpTop = in.single();
  r.ScarpBase = in.single();
  // Only lava phases keep a flow length per burst, and the table holds 100 of them.
  r.Bursts = r.isLava() ? in.integer(0, kRecBursts, "Bursts") : in.integer(0, 32767, "Bursts");
  r.Explosion = in.integer();
  in.line(5);
  r.TectonicKind = TectonicKind(in.integer(0, 2, "TectonicKind"));
  r.Magnitude = in.integer();
  r.Dip = in.integer();
  r.DownSide = DownSide(in.integer(0, 2, "DownSide"));
  r.ErodeCycles = in.integer();
  in.line(6);
  for (int k = 1; k <= 6; ++k) r.Slider[k] = in.integer();
  in.line(4);
  r.MapA = in.single();
  r.MapB = in.single();
  r.MapC = in.single();
  r.MapD = in.single();
  if (!r.isLava()) return;
  for (int b = 1; b <= r.Bursts; ++b) {
    in.line(1);
    bursts(i, b) = in.single();
  }
}

}  // namespace

std::string recordFileText(const RecordHeader& header, const PhaseTable& table, const BurstTable& bursts) {
  if (header.count < 0 || header.count > kRecPhases) throw SimError("Cannot store " + std::to_string(header.count) + " phases");
  FieldWriter w;
  w.reserve(256 + static_cast<size_t>(header.count) * 256);
  w.text("Stratigraphic file:");
  w.text(header.strFileName);
  w.endLine();
  w.text("Recorded phases");
  w.field(header.count);
  w.field(header.scale);
  w.endLine();
  for (int i = 1; i <= header.count; ++i) writePhase(w, i, table[i], bursts);
  return w.str();
}

void readRecordText(std::istream& in, RecordHeader& header, PhaseTable& table, BurstTable& bursts, int& phasesRead,
                    const std::function<void(int phase)>& onPhase) {
  FieldReader fields(in);
  phasesRead = 0;
  fields.line(2);
  fields.skip();  // "Stratigraphic file:"
  header.strFileName = fields.next();
  fields.line(3);
  fields.skip();  // "Recorded phases"
  header.count = fields.integer(0, kRecPhases, "Recorded phases");
  header.scale = fields.single();
  if (!isStoredScale(header.scale)) fields.fail("Scale " + generalNumber(header.scale) + " is not 4, 20, 40 or 100");
  for (int i = 1; i <= header.count; ++i) {
    try {
      readPhase(fields, table[i], bursts, i);
    } catch (const SimError& e) {
      throw SimError("Record phase " + std::to_string(i) + ": " + e.what());
    }
    phasesRead = i;
    if (onPhase) onPhase(i);
  }
  fields.expectEnd("the last phase");
}

}  // namespace magmo
