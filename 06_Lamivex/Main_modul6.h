// The run driver, the keyed-line readers of the job file, the run information,
// the product check and the summary writer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "MdlDeclarations.h"

namespace lamivex {

// A keyed reader's value: a text or a number.
using KeyValue = std::variant<std::string, double>;

// The whole run, steps 1 to 16. Throws RunError for every exit other than the normal end.
// A ProfilePath or ProgramFolder already set is kept (a caller running several jobs at
// once gives each its own profile); an empty one is found from the environment.
void Main(LamivexRun& run);

// Keyed readers (the default argument is accepted and not used).
KeyValue ReadKeyText(const std::string& path, const std::string& key,
                     const std::string& defaultValue = "");
KeyValue ReadKeyNumber(const std::string& path, const std::string& key,
                       const std::string& defaultValue = "");

// True when a line of the file holds the key in quotes followed by a comma.
bool KeyPresent(const std::string& path, const std::string& key);

// Reads a keyed text file whole, for any number of lookups; a missing file (or an empty
// path) gives exists = false. Throws RunError(kExitFault) when it exists and cannot be read.
KeyedFile ReadKeyedFile(const std::string& path);
// The same readers on a file read once: the same values as on the file itself.
KeyValue ReadKeyText(const KeyedFile& file, const std::string& key);
KeyValue ReadKeyNumber(const KeyedFile& file, const std::string& key);
bool KeyPresent(const KeyedFile& file, const std::string& key);

// The leading number of a text: blanks ignored, a point as decimal separator, E or D
// exponent; no number gives 0.
double LeadingNumber(const std::string& text);

// Rounds to the nearest 16-bit integer, halves to even. Throws RunError(kExitBadJob)
// naming `what` when the value is not a number or does not fit.
int16_t ToInt16(double value, const std::string& what);
// The same for a 32-bit integer (product ids).
int32_t ToInt32(double value, const std::string& what);

// The whole text as one number (sign, digits, point, E or D exponent; no blanks inside).
// False, value untouched, when the text is anything else.
bool ParseNumber(const std::string& text, double& value);

// "Number glass" of the job file as a 16-bit integer. Throws RunError(kExitBadJob) when the
// job file is missing, the key is missing or not a number, or the value does not fit the
// layer tables (more than 101 layers).
int16_t ReadNumberGlass(const std::string& jobPath);

// The job file read whole. Throws RunError(kExitBadJob) when it is a folder or missing.
KeyedFile ReadJobFile(const std::string& jobPath);
// "Number glass" of a job file already read, checked as above.
int16_t ReadNumberGlass(const KeyedFile& job);

// Reads the layer table (lines 3.. of the job file) into the run's layer arrays.
void ReadLayerTable(LamivexRun& run, const std::string& jobPath);
void ReadLayerTable(LamivexRun& run, const KeyedFile& job);

// Reads the face-inversion list into InverseFace(0..9).
void ReadInversionList(LamivexRun& run, const std::string& jobPath);
void ReadInversionList(LamivexRun& run, const KeyedFile& job);

// Reads the run information from the file fileName of the Temp folder, or from the job
// file already read.
void ReadRunInformation(LamivexRun& run, const std::string& fileName);
void ReadRunInformation(LamivexRun& run, const KeyedFile& job);

// Product check and spectrum load.
bool GlassExists(LamivexRun& run, int32_t id, int16_t kind);
// The select of a product's spectrum rows in the database and tables chosen for it; none for
// an id below 1 or a user product without the user's database. Throws when the select fails.
std::unique_ptr<RecordSet> SelectSpectrum(LamivexRun& run, int32_t id, int16_t kind);
// The same number for two layers whose products are read from the same database and tables.
int ProductTables(int32_t id, int16_t kind);
// What "Please, select the glass!" adds for layer k: its id and kind and where its
// spectrum was looked for (the database and table, or the user database's missing file).
std::string MissingProductDetail(const LamivexRun& run, int k, const std::string& userDatabase);
void LoadSpectrum(LamivexRun& run, int32_t id, int16_t kind, int16_t inverse);
// The rows LoadSpectrum stores (from 300 nm up, ascending, faces swapped for a turned
// layer), without storing them; throws as LoadSpectrum does.
std::vector<SpectrumRow> QuerySpectrum(LamivexRun& run, int32_t id, int16_t kind, int16_t inverse);
// QuerySpectrum's rows from the product's spectrum select, not yet read.
std::vector<SpectrumRow> SpectrumRows(LamivexRun& run, int32_t id, int16_t kind, int16_t inverse,
                                      RecordSet& spectrum);
// Puts rows into SpectrumLambda, SpectrumT, SpectrumR1, SpectrumR2 and SpectrumCount.
void StoreSpectrum(LamivexRun& run, const std::vector<SpectrumRow>& rows);

// Summary: Lamivex.out and the record writer behind it.
using RecordValue = std::variant<std::string, double>;
void WriteSummary(LamivexRun& run, const std::string& fileName);
bool WriteRecord(const std::string& path, const std::vector<RecordValue>& values, int16_t count);
// The thirteen values of the summary record, absorptions from the rounded integers.
std::vector<RecordValue> SummaryValues(const LamivexRun& run);
// Values 1..count as one comma-separated line: texts in double quotes, numbers bare.
std::string RecordLine(const std::vector<RecordValue>& values, int16_t count);

}  // namespace lamivex
