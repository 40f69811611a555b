// Writes the same 1,000-page document of word-wrapped paragraphs (about 3,000 characters a
// page, Helvetica 10 on A4) with CreatePDF and with libharu (HPDF_Page_TextRect, no
// compression), and reports the time of each, their ratio, and the peak memory of each
// writer measured in a fresh process of its own.
//
//   build/release/bin/createpdf_vs_libharu [--benchmark_repetitions=N]
#include <benchmark/benchmark.h>
#include <hpdf.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "CreatePDF.h"

namespace {

constexpr int kPages = 1000;
constexpr int kParagraphsPerPage = 6;
constexpr double kLeft = 50, kTop = 60, kWidth = 495, kLineHeight = 12, kGap = 10;

// A paragraph of about 500 characters, different on every page, in UTF-8 and in
// Windows-1252 (the bytes libharu takes for WinAnsiEncoding).
struct Paragraph {
  std::string utf8, win1252;
};

std::vector<Paragraph> MakeParagraphs() {
  const std::vector<std::pair<std::string, std::string>> words = {
      {"vitrage", "vitrage"},
      {"feuillet\xC3\xA9", "feuillet\xE9"},
      {"transmission", "transmission"},
      {"r\xC3\xA9"
       "flexion",
       "r\xE9"
       "flexion"},
      {"solaire", "solaire"},
      {"lumineuse", "lumineuse"},
      {"intercalaire", "intercalaire"},
      {"PVB", "PVB"},
      {"\xC3\xA9missivit\xC3\xA9", "\xE9missivit\xE9"},
      {"couche", "couche"},
      {"face", "face"},
      {"verre", "verre"},
      {"spectre", "spectre"},
      {"longueur", "longueur"},
      {"d'onde", "d'onde"},
      {"(EN 410)", "(EN 410)"}};
  std::vector<Paragraph> paragraphs;
  unsigned seed = 12345;
  for (int p = 0; p < kPages * kParagraphsPerPage; ++p) {
    Paragraph paragraph;
    while (paragraph.win1252.size() < 500) {
      seed = seed * 1103515245u + 12345u;
      const auto& word = words[(seed >> 16) % words.size()];
      paragraph.utf8 += word.first + " ";
      paragraph.win1252 += word.second + " ";
    }
    paragraphs.push_back(std::move(paragraph));
  }
  return paragraphs;
}

const std::vector<Paragraph>& Paragraphs() {
  static const std::vector<Paragraph> paragraphs = MakeParagraphs();
  return paragraphs;
}

std::string OutputPath(const char* name) {
  return (std::filesystem::temp_directory_path() /
          (std::string("bench_") + name + "_" + std::to_string(getpid()) + ".pdf"))
      .string();
}

void WriteWithCreatePDF(const std::string& path) {
  CreatePDF pdf;
  pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
  pdf.PDFSetUnit(0);  // points
  pdf.PDFFileName(path);
  pdf.PDFBeginDoc();
  pdf.PDFSetFont(0, 10);
  const auto& paragraphs = Paragraphs();
  for (int page = 0; page < kPages; ++page) {
    if (page > 0) {
      pdf.PDFEndPage();
      pdf.PDFNewPage();
    }
    double y = kTop;
    for (int p = 0; p < kParagraphsPerPage; ++p) {
      pdf.PDFCell(paragraphs[page * kParagraphsPerPage + p].utf8, kLeft, y, kWidth, kLineHeight);
      y = pdf.PDFGetY() + kGap;
    }
  }
  pdf.PDFEndDoc();
}

void WriteWithLibharu(const std::string& path) {
  HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
  if (pdf == nullptr) throw std::runtime_error("HPDF_New failed");
  HPDF_SetCompressionMode(pdf, HPDF_COMP_NONE);
  HPDF_Font font = HPDF_GetFont(pdf, "Helvetica", "WinAnsiEncoding");
  const auto& paragraphs = Paragraphs();
  for (int page = 0; page < kPages; ++page) {
    HPDF_Page hpage = HPDF_AddPage(pdf);
    HPDF_Page_SetSize(hpage, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
    HPDF_Page_SetFontAndSize(hpage, font, 10);
    HPDF_Page_SetTextLeading(hpage, kLineHeight);
    const HPDF_REAL height = HPDF_Page_GetHeight(hpage);
    HPDF_Page_BeginText(hpage);
    HPDF_REAL top = height - static_cast<HPDF_REAL>(kTop);
    for (int p = 0; p < kParagraphsPerPage; ++p) {
      const auto& text = paragraphs[page * kParagraphsPerPage + p].win1252;
      HPDF_Page_TextRect(hpage, kLeft, top, kLeft + kWidth, 0, text.c_str(), HPDF_TALIGN_LEFT,
                         nullptr);
      top = HPDF_Page_GetCurrentTextPos(hpage).y - static_cast<HPDF_REAL>(kLineHeight + kGap);
    }
    HPDF_Page_EndText(hpage);
  }
  if (HPDF_SaveToFile(pdf, path.c_str()) != HPDF_OK) throw std::runtime_error("save failed");
  HPDF_Free(pdf);
}

// Peak resident memory (kB) of this process so far: VmHWM, which a new program image
// starts afresh (unlike the rusage figure, which keeps the parent's size across exec).
long PeakKilobytesOfThisProcess() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// Peak resident memory (kB) of a fresh process (this program run again) that builds the
// paragraphs and writes the document with `writer` once ("none" writes nothing).
long PeakKilobytesOfARun(const char* writer) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  FILE* child = popen(("'" + self + "' --peak-run=" + writer).c_str(), "r");
  if (child == nullptr) return -1;
  long peak = -1;
  if (std::fscanf(child, "%ld", &peak) != 1) peak = -1;
  return pclose(child) == 0 ? peak : -1;
}

// The child side of PeakKilobytesOfARun: prints its peak memory.
int PeakRun(const std::string& writer) {
  Paragraphs();
  const std::string path = OutputPath(writer.c_str());
  if (writer == "createpdf") WriteWithCreatePDF(path);
  if (writer == "libharu") WriteWithLibharu(path);
  std::filesystem::remove(path);
  std::printf("%ld\n", PeakKilobytesOfThisProcess());
  return 0;
}

void Run(benchmark::State& state, void (*write)(const std::string&), const char* name) {
  Paragraphs();  // built once, outside the timing
  const std::string path = OutputPath(name);
  for (auto _ : state) write(path);
  state.counters["file_kB"] = static_cast<double>(std::filesystem::file_size(path)) / 1024;
  std::filesystem::remove(path);
  const long idle = PeakKilobytesOfARun("none");
  const long peak = PeakKilobytesOfARun(name);
  state.counters["peak_kB"] = static_cast<double>(peak);
  state.counters["peak_over_idle_kB"] = static_cast<double>(peak - idle);
}

void BM_CreatePDF(benchmark::State& state) {
  Run(state, WriteWithCreatePDF, "createpdf");
}
void BM_Libharu(benchmark::State& state) {
  Run(state, WriteWithLibharu, "libharu");
}
BENCHMARK(BM_CreatePDF)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5);
BENCHMARK(BM_Libharu)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5);

// Keeps the shortest real and CPU time of each writer over the repetitions (the least
// disturbed by other work on the machine) and its peak memory, for the closing summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      auto& entry = results_[run.run_name.function_name];
      const double real = run.GetAdjustedRealTime(), cpu = run.GetAdjustedCPUTime();
      entry.real = entry.real == 0 ? real : std::min(entry.real, real);
      entry.cpu = entry.cpu == 0 ? cpu : std::min(entry.cpu, cpu);
      auto peak = run.counters.find("peak_over_idle_kB");
      if (peak != run.counters.end()) entry.peak = std::max(entry.peak, peak->second.value);
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintSummary() const {
    auto createpdf = results_.find("BM_CreatePDF");
    auto libharu = results_.find("BM_Libharu");
    if (createpdf == results_.end() || libharu == results_.end()) return;
    const Result& c = createpdf->second;
    const Result& h = libharu->second;
    std::printf("\nbest of the repetitions, 1,000 pages:\n");
    std::printf("  real time: CreatePDF %.1f ms, libharu %.1f ms: CreatePDF %.2f times as fast\n",
                c.real, h.real, h.real / c.real);
    std::printf("  CPU time:  CreatePDF %.1f ms, libharu %.1f ms: CreatePDF %.2f times as fast\n",
                c.cpu, h.cpu, h.cpu / c.cpu);
    std::printf("  peak memory over an idle process: CreatePDF %.0f kB, libharu %.0f kB\n", c.peak,
                h.peak);
  }

 private:
  struct Result {
    double real = 0, cpu = 0, peak = 0;
  };
  std::map<std::string, Result> results_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string peakRun = "--peak-run=";
  if (argc == 2 && std::string(argv[1]).rfind(peakRun, 0) == 0) {
    return PeakRun(std::string(argv[1]).substr(peakRun.size()));
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  benchmark::Shutdown();
  return 0;
}
