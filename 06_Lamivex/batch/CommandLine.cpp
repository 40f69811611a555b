// Options take their value as the next argument or after "="; -j also as -jN.
#include "CommandLine.h"

#include <string_view>
#include <vector>

#include "BatchOutput.h"
#include "MdlImpression.h"

namespace lamivex::batch {

const char* const kBatchUsageText =
    "usage: lamivex-batch [OPTIONS] [FILE]\n"
    "\n"
    "Calculates every stack of a CSV table (FILE, or standard input when FILE is\n"
    "missing or '-') with lamivex's own calculation, and prints one row per stack:\n"
    "name, layers, model, Te, Re1, Ae1, Re2, Ae2, Tl, Rl1, Al1, Rl2, Al2 (percent,\n"
    "two decimals), the EN 410 values g, SC, S, Tuv, Ra and the colours T_L, T_a,\n"
    "T_b, R1_L, R1_a, R1_b, R2_L, R2_a, R2_b (two decimals, three for SC and S),\n"
    "U (W/(m2K), glazing units only), status and message.\n"
    "\n"
    "The table's first line names its columns: name and layers, and optionally\n"
    "emn1 and emn2. A layer is kind:id (kind glass, film, pvb or a number, e.g.\n"
    "glass:1102) or a product's exact name in brackets ([SAMPLE Clear 6 mm], or\n"
    "pvb:[name]); a ~ after it turns it over (face 2 first), and @e1/e2 at the\n"
    "end gives its face emissivities in percent (glass:1103~@89/16). Layers are\n"
    "separated by blanks; columns are separated by commas. emn1 and emn2, when\n"
    "given, set the emissivities of the stack's face 1 and face 2. Every face\n"
    "given nowhere takes the product's emissivity from the database (as a normal\n"
    "emissivity), else 89 (uncoated glass).\n"
    "\n"
    "A glazing unit is two or three panes separated by gap:WIDTH[:GAS[:PERCENT]]\n"
    "(mm; air, argon, krypton or xenon; share of that gas, the rest air), e.g.\n"
    "glass:1102 pvb:3002 glass:1102 gap:16:argon:90 glass:1103~. #mm after a\n"
    "product gives its thickness where the database has none (glass:1103#6).\n"
    "\n"
    "Options:\n"
    "  --combine FILE     read the table from FILE, where a layer may list alternatives\n"
    "                     separated by | (glass:1101|glass:1102 pvb:3001|pvb:3002\n"
    "                     glass:1101), and calculate every combination, rows named\n"
    "                     '<name> 1', '<name> 2'... (at most 10,000,000 in all)\n"
    "  --where EXPR       print only the rows whose printed values meet every\n"
    "                     comparison of EXPR, such as Tl>=70,g<=40,U<=1.1\n"
    "                     (< <= > >= =; the value columns of the output)\n"
    "  --limit N          stop after the first N rows printed, in input order\n"
    "  --json             print the table as JSON instead of CSV\n"
    "  --language L       language of the jobs and reports: Français, Anglais,\n"
    "                     Allemand, Espagnol (or French, English, German, Spanish,\n"
    "                     fr, en, de, es); default Anglais\n"
    "  -j N, --jobs N     run N stacks at a time (default: the number of cores)\n"
    "  --keep DIR         run each stack in DIR/<nnnn>_<name> and keep its files\n"
    "                     (default: stacks calculated in memory, no files written;\n"
    "                     --reports runs them in a temporary folder under $TMPDIR,\n"
    "                     else /dev/shm, else /tmp, removed once each has run)\n"
    "  --reports DIR      write the PDF report of every stack: DIR/<nnnn>_<name>.pdf\n"
    "  --write-job STACK  write the job of the stack named STACK into the profile\n"
    "                     (<profile>/Temp/input_Lamivex.in) and run nothing\n"
    "  --help, --version\n"
    "\n"
    "The profile (for the user database and --write-job) and the program folder\n"
    "are found as lamivex finds them.\n"
    "\n"
    "Exit statuses:\n"
    "  0   every stack ran\n"
    "  1   some stacks failed or their rows were not understood\n"
    "  2   the input was refused (unreadable, empty, bad header; --write-job: no\n"
    "      usable stack of that name)\n"
    "  64  a command line not understood (also a --keep or --reports DIR that is\n"
    "      not a folder that can be made)\n";

namespace {

unsigned ParseJobs(const std::string& text) {
  const bool digits = !text.empty() && text.size() <= 4 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
  const unsigned value = digits ? static_cast<unsigned>(std::stoul(text)) : 0;
  if (value < 1 || value > 1024) {
    throw UsageError("-j needs a whole number from 1 to 1024, not '" + text + "'");
  }
  return value;
}

uint64_t ParseLimit(const std::string& text) {
  const bool digits = !text.empty() && text.size() <= 19 &&
                      text.find_first_not_of("0123456789") == std::string::npos;
  const uint64_t value = digits ? std::stoull(text) : 0;
  if (value < 1)
    throw UsageError("--limit needs a whole number of rows from 1 up, not '" + text + "'");
  return value;
}

// The options that only make sense when stacks are calculated.
void CheckCombination(const CommandLine& line) {
  const BatchSettings& settings = line.settings;
  if (settings.writeJobStack.empty()) return;
  if (settings.combine || !settings.where.empty() || settings.limit > 0) {
    throw UsageError(
        "--write-job writes the job of one row of the table; it cannot be used with --combine, "
        "--where or --limit");
  }
}

// The value of an option: after "=" in the same argument, else the next argument.
std::string OptionValue(const std::vector<std::string>& args, size_t& i, const std::string& name) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg[name.size()] == '=') return arg.substr(name.size() + 1);
  if (i + 1 >= args.size() || args[i + 1].empty())
    throw UsageError("option " + name + " needs a value");
  return args[++i];
}

bool IsOption(const std::string& arg, const std::string& name) {
  return arg == name || arg.starts_with(name + "=");
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv, unsigned cores) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  CommandLine line;
  line.settings.jobs = cores == 0 ? 1 : cores;
  bool inputGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help") {
      line.help = true;
    } else if (arg == "--version") {
      line.version = true;
    } else if (arg == "--json") {
      line.settings.json = true;
    } else if (arg == "-j" || IsOption(arg, "--jobs")) {
      line.settings.jobs = ParseJobs(OptionValue(args, i, arg == "-j" ? "-j" : "--jobs"));
    } else if (arg.starts_with("-j")) {
      line.settings.jobs = ParseJobs(arg.substr(2));
    } else if (IsOption(arg, "--keep")) {
      line.settings.workFolder = OptionValue(args, i, "--keep");
      line.settings.keep = true;
    } else if (IsOption(arg, "--reports")) {
      line.settings.reportsFolder = OptionValue(args, i, "--reports");
    } else if (IsOption(arg, "--language")) {
      const std::string language = OptionValue(args, i, "--language");
      const std::optional<std::string> folder = LanguageFolderOf(language);
      if (!folder) {
        throw UsageError(
            "--language must be Français, Anglais, Allemand or Espagnol (or French, "
            "English, German, Spanish, fr, en, de, es), not '" +
            language + "'");
      }
      line.settings.language = *folder;
    } else if (IsOption(arg, "--combine")) {
      if (inputGiven) throw UsageError("one input FILE at most, not also --combine's");
      line.settings.inputPath = OptionValue(args, i, "--combine");
      line.settings.combine = inputGiven = true;
    } else if (IsOption(arg, "--where")) {
      line.settings.where = ParseWhere(OptionValue(args, i, "--where"), ValueColumnNames());
    } else if (IsOption(arg, "--limit")) {
      line.settings.limit = ParseLimit(OptionValue(args, i, "--limit"));
    } else if (IsOption(arg, "--write-job")) {
      line.settings.writeJobStack = OptionValue(args, i, "--write-job");
    } else if (arg.starts_with("-") && arg != "-") {
      throw UsageError("unknown option '" + arg + "'");
    } else if (inputGiven) {
      throw UsageError("one input FILE at most, not also '" + arg + "'");
    } else {
      line.settings.inputPath = arg;
      inputGiven = true;
    }
  }
  CheckCombination(line);
  return line;
}

}  // namespace lamivex::batch
