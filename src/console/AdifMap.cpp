#include "AdifMap.h"

#include "common/SystemErrorText.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "console/AdifCheck.h"
#include "console/AdifCommand.h"
#include "console/AdifReader.h"
#include "console/ConsoleToolStatus.h"
#include "console/InputFile.h"
#include "map/MapOutput.h"
#include "common/ReplaceFile.h"
#include "map/MapRenderer.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace pelvorn {
namespace {

using adif::Known;

constexpr std::size_t FlushSize = 1u << 16;
// Distinct own positions counted; a log has a handful (home, portable,
// contest sites). Positions met after the table is full are never the centre.
constexpr std::size_t MostOwnPositions = 10000;

// The bands of ADIF's enumeration, with their limits in MHz.
struct Band {
  std::string_view name;
  double lowest, highest;
};
constexpr Band Bands[] = {
    {"2190m", 0.1357, 0.1378}, {"630m", 0.472, 0.479},    {"560m", 0.501, 0.504},     {"160m", 1.8, 2.0},
    {"80m", 3.5, 4.0},         {"60m", 5.06, 5.45},       {"40m", 7.0, 7.3},          {"30m", 10.1, 10.15},
    {"20m", 14.0, 14.35},      {"17m", 18.068, 18.168},   {"15m", 21.0, 21.45},       {"12m", 24.89, 24.99},
    {"10m", 28.0, 29.7},       {"8m", 40, 45},            {"6m", 50, 54},             {"5m", 54.000001, 69.9},
    {"4m", 70, 71},            {"2m", 144, 148},          {"1.25m", 222, 225},        {"70cm", 420, 450},
    {"33cm", 902, 928},        {"23cm", 1240, 1300},      {"13cm", 2300, 2450},       {"9cm", 3300, 3500},
    {"6cm", 5650, 5925},       {"3cm", 10000, 10500},     {"1.25cm", 24000, 24250},   {"6mm", 47000, 47200},
    {"4mm", 75500, 81000},     {"2.5mm", 119980, 123000}, {"2mm", 134000, 149000},    {"1mm", 241000, 250000},
    {"submm", 300000, 7500000},
};
constexpr int BandCount = static_cast<int>(sizeof Bands / sizeof Bands[0]);

std::string_view Data(std::string_view text, const adif::FieldPlace& place) {
  return place.present ? text.substr(place.dataBegin, place.dataEnd - place.dataBegin) : std::string_view{};
}

// The band a QSO was made on: BAND, else the band FREQ (MHz) lies in; -1 for none.
int BandOf(std::string_view text, const adif::Unit& unit) {
  const std::string_view band = Data(text, unit[Known::Band]);
  for (int i = 0; i < BandCount; ++i) {
    if (SameAsciiLetters(band, Bands[i].name)) return i;
  }
  if (const std::optional<double> mhz = adif::ReadNumber(Data(text, unit[Known::Freq]))) {
    for (int i = 0; i < BandCount; ++i) {
      if (*mhz >= Bands[i].lowest && *mhz <= Bands[i].highest) return i;
    }
  }
  return -1;
}

// The own positions of the log and their QSOs, counted in one pass.
class OwnPositions {
public:
  struct Entry {
    std::string shown;
    double latitude, longitude;
    unsigned long long qsos = 0;      // QSOs made there
    unsigned long long computed = 0;  // of them with a position of the other station
  };
  // The entry of a position, or nullptr once the table is full.
  Entry* Find(double latitude, double longitude, const std::string& shown) {
    if (last_ != nullptr && last_->latitude == latitude && last_->longitude == longitude) return last_;
    const auto [place, added] = index_.try_emplace({latitude, longitude}, entries_.size());
    if (added) {
      if (entries_.size() == MostOwnPositions) {
        index_.erase(place);
        return nullptr;
      }
      entries_.push_back(std::make_unique<Entry>(Entry{shown, latitude, longitude}));
    }
    return last_ = entries_[place->second].get();
  }
  // The position most QSOs were made from (the first of equals); nullptr for none.
  const Entry* Most() const {
    const Entry* most = nullptr;
    for (const auto& entry : entries_) {
      if (most == nullptr || entry->qsos > most->qsos) most = entry.get();
    }
    return most;
  }

private:
  std::map<std::pair<double, double>, std::size_t> index_;
  std::vector<std::unique_ptr<Entry>> entries_;
  Entry* last_ = nullptr;
};

// A picture's file: written through a FileReplacement, or standard output.
struct Picture {
  std::string name;
  map::MapFormat format = map::MapFormat::Png;
  map::MapRequest request;  // its side and radius
  FileReplacement file;
  std::string error;
  bool toOutput() const { return format == map::MapFormat::PngToOutput; }
  bool svg() const { return format == map::MapFormat::Svg; }
  bool Write(std::string_view bytes, std::FILE* out) {
    if (!toOutput()) return file.Write(bytes, error);
    if (std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0) return true;
    error = std::string(text::OutputNotWritable);
    return false;
  }
};

void Print(std::FILE* stream, const std::string& text) { std::fwrite(text.data(), 1, text.size(), stream); }

int NotWritten(std::FILE* err, const Picture& picture) {
  Print(err, Fill(text::ErrorLine, {picture.toOutput() ? picture.error
                                                              : Fill(text::About, {picture.name, Fill(text::AdifNothingWritten, {picture.error})})}));
  return ToolInputUnreadable;
}

}  // namespace

int RunAdifMap(const AdifMapOptions& options, std::FILE* in, std::FILE* out, std::FILE* err, std::string& wrongCall) {
  const auto wrong = [&](std::string reason) {
    wrongCall = std::move(reason);
    return ToolInputUnreadable;
  };
  std::unique_ptr<Picture> mapFile, chartFile;
  if (options.map) {
    mapFile = std::make_unique<Picture>();
    mapFile->name = *options.map;
    if (std::string reason = map::ReadMapOutput(*options.map, options.size, options.radius, mapFile->format, mapFile->request); !reason.empty()) {
      return wrong(std::move(reason));
    }
  }
  if (options.chart) {
    chartFile = std::make_unique<Picture>();
    chartFile->name = *options.chart;
    if (std::string reason = map::ReadMapOutput(*options.chart, options.size, std::nullopt, chartFile->format, chartFile->request); !reason.empty()) {
      return wrong(std::move(reason));
    }
    if (mapFile && mapFile->toOutput() && chartFile->toOutput()) return wrong(std::string(text::AdifMapBothToOutput));
    if (mapFile && *options.map == *options.chart) return wrong(std::string(text::AdifMapSameFile));
  }
  if (options.radius && !mapFile) return wrong(std::string(text::AdifRadiusOnlyWithMap));

  std::optional<adif::OwnLocator> own;
  if (!ReadOwnOption(options.own, err, own)) return ToolInputUnreadable;
  const bool fromStandardInput = options.log == "-";
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> input(fromStandardInput ? nullptr : OpenForReading(options.log), std::fclose);
  if (!fromStandardInput && input == nullptr) {
    Print(err, Fill(text::ErrorLine, {Fill(text::About, {options.log, SystemErrorText(errno)})}));
    return ToolInputUnreadable;
  }
  for (Picture* picture : {mapFile.get(), chartFile.get()}) {
    if (picture != nullptr && !picture->toOutput() && !picture->file.Open(picture->name, picture->error)) {
      return NotWritten(err, *picture);
    }
  }

  std::optional<map::MarkerLayer> layer;
  if (mapFile) layer.emplace(mapFile->request.size, mapFile->request.radiusKm, mapFile->svg());
  OwnPositions positions;
  if (own) positions.Find(own->cell.latitude, own->cell.longitude, AsciiCapitals(own->text));
  std::array<unsigned long long, BandCount + 1> bands{};  // the last: no band
  map::ChartRequest chart;
  unsigned long long qsos = 0, drawn = 0, noPosition = 0, outside = 0;
  std::string messages, attributes;

  adif::Reader reader(fromStandardInput ? in : input.get());
  adif::Unit unit;
  for (;;) {
    const adif::Reader::Step step = reader.Next(unit);
    if (step == adif::Reader::Step::Error) {
      Print(err, messages);
      return UnreadableLog(err, options.log, reader, true);
    }
    if (step == adif::Reader::Step::End) break;
    if (unit.kind != adif::Unit::Kind::Record) continue;
    const std::string_view text = reader.Text();
    const adif::QsoCheck check = adif::CheckRecord(text, unit, own);
    ++qsos;
    OwnPositions::Entry* from = check.ownKnown ? positions.Find(check.ownLatitude, check.ownLongitude, check.ownShown) : nullptr;
    if (from != nullptr) ++from->qsos;
    if (!check.Computed()) {
      ++noPosition;
      Report(messages, options.log + ":" + std::to_string(reader.RecordsRead()) + ": ", check, check.reason);
    } else {
      const int band = BandOf(text, unit);
      ++bands[band < 0 ? BandCount : static_cast<std::size_t>(band)];
      bool onMap = true;
      if (layer) {
        attributes = "class=\"qso\" data-call=\"" + map::XmlEscaped(adif::ShownField(check.call)) + '"';
        if (band >= 0) attributes += Fill(R"( data-band="%1")", {Bands[static_cast<std::size_t>(band)].name});
        onMap = layer->Add(check.km, check.direction, band, attributes);
        if (layer->Svg().size() >= FlushSize) {
          if (!mapFile->Write(layer->Svg(), out)) return NotWritten(err, *mapFile);
          layer->Svg().clear();
        }
      }
      ++(onMap ? drawn : outside);
      if (from != nullptr) ++from->computed;
      // The chart: the direction the QSO's path took, as the check's longest QSO.
      const double direction = check.longPath ? check.longDirection : check.direction;
      map::ChartSector& sector = chart.sectors[std::min<std::size_t>(static_cast<std::size_t>(direction / 10), map::ChartSectors - 1)];
      ++sector.count;
      if (check.PathKm() > sector.longestKm) {
        sector.longestKm = check.PathKm();
        sector.longestCall = adif::ShownField(check.call);
      }
    }
    if (messages.size() >= FlushSize) {
      Print(err, messages);
      messages.clear();
    }
  }
  Print(err, messages);
  input.reset();

  const OwnPositions::Entry* centre = own ? positions.Find(own->cell.latitude, own->cell.longitude, {}) : positions.Most();
  if (centre == nullptr) {
    Print(err, Fill(text::ErrorLine, {text::AdifMapNoCentre}));
    return ToolSomeDiffer;
  }
  const unsigned long long computed = qsos - noPosition;
  std::vector<std::string> notes;
  if (computed > centre->computed) {
    notes.push_back(Fill(text::AdifMapElsewhere, {std::to_string(computed - centre->computed), centre->shown}));
  }
  if (outside > 0) {
    notes.push_back(Fill(text::AdifMapOutside, {std::to_string(outside), std::to_string(std::lround(mapFile->request.radiusKm))}));
  }
  std::string report;
  if (mapFile) {
    map::MapRequest request;
    request.own = {centre->latitude, centre->longitude, centre->shown};
    request.caption = Fill(text::AdifMapCaption, {centre->shown, std::to_string(drawn), std::to_string(noPosition)});
    request.notes = notes;
    for (std::size_t i = 0; i < bands.size(); ++i) {
      if (bands[i] == 0) continue;
      const bool none = i == BandCount;
      request.legend.push_back({std::string(none ? text::AdifMapNoBand : Bands[i].name), none ? -1 : static_cast<int>(i), bands[i]});
    }
    report += request.caption + '\n';
    if (!mapFile->Write(layer->Finish(request), out)) return NotWritten(err, *mapFile);
  }
  if (chartFile) {
    chart.size = chartFile->request.size;
    chart.caption = Fill(text::AdifChartCaption, {centre->shown, std::to_string(computed), std::to_string(noPosition)});
    chart.notes = notes;
    if (!mapFile) report += chart.caption + '\n';
    const map::Scene scene = map::BuildChartScene(chart);
    if (!chartFile->Write(chartFile->svg() ? map::SceneSvg(scene) : map::EncodePng(map::ScenePixels(scene)), out)) {
      return NotWritten(err, *chartFile);
    }
  }
  for (Picture* picture : {mapFile.get(), chartFile.get()}) {
    if (picture != nullptr && !picture->toOutput() && !picture->file.Commit(picture->error)) return NotWritten(err, *picture);
  }
  for (const std::string& note : notes) report += note + '\n';
  const bool pictureOnOutput = (mapFile && mapFile->toOutput()) || (chartFile && chartFile->toOutput());
  Print(pictureOnOutput ? err : out, report);
  return noPosition > 0 ? ToolSomeDiffer : ToolSuccess;
}

}  // namespace pelvorn
