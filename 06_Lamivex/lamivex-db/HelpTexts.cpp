// What lamivex-db --help and each command's --help print.
#include "CommandLine.h"

namespace lamivexdb {

namespace {

constexpr const char* kToolHelp = R"(Usage: lamivex-db COMMAND [OPTION]... ARGUMENT...
       lamivex-db --help | --version
Build, fill and check the spectral databases that lamivex reads.

Commands:
  create PATH --suite|--user   create a new, empty database
  import PATH FILE...          add one product per FILE (CSV or columns,
                               Optics text, IGSDB JSON)
  list PATH                    one line per product
  check PATH                   report what would make a run misbehave
  delete PATH ID               delete a product
  rename PATH ID NAME          give a product another name

The suite catalogue is <program folder>/Base SM_Vitrages/SpectralDB/SM_Spectral.db
(ids 1 to 999999); a user's own products go into
<profile>/Base Utilisateur/Vitrages/SpectralDB/SM_Spectral_User.db (ids from 1000000).

Options:
  --help      show this help, or a command's help after the command, and exit
  --version   show the version and exit

Exit status:
  0   success; for check, no problem found (warnings or not)
  1   check found problems
  2   a file or database was refused, or could not be read or written
  64  the command line was not understood
)";

constexpr const char* kCreateHelp = R"(Usage: lamivex-db create PATH --suite|--user
Create a new, empty spectral database at PATH.

A suite database holds the glass, film and PVB tables (glass, spectral_energy,
film, spectral_energy_film, PVB, spectral_energy_PVB); a user database holds
only the glass tables, which serve every layer kind. Product tables carry the
id, name, maker, thickness (mm), the file a product was imported from and that
file's origin; the table product_emissivity the faces' emissivities (lamivex
does not read it). Missing parent folders are created. An existing PATH is
never overwritten.

Options:
  --suite   a suite catalogue (product ids 1 to 999999)
  --user    a user database (product ids from 1000000)
  --help    show this help and exit
)";

constexpr const char* kImportHelp =
    R"(Usage: lamivex-db import PATH FILE... [--kind glass|film|pvb] [--id N]
                        [--name TEXT] [--origin TEXT] [--fractions]
                        [--duplicate] [--skip-bad]
Read one product from each FILE and add it to the database at PATH.

The format is chosen by the content, not by the file name:
  - columns: wavelength (nm), T, R1, R2 (percent, or fractions with
    --fractions), separated by commas, semicolons, TABs or blanks, with an
    optional header line; lines starting with # are comments, and
    "# name: ...", "# maker: ...", "# thickness: ..." (mm),
    "# emissivity front: ..." and "# emissivity back: ..." describe the
    product; a file whose every value is 1 or less holds fractions and is
    refused without --fractions; decimal commas (80,5) are read when every
    row holds four fields separated by semicolons (300;80,5;7,9;8,1);
  - Optics text files of the International Glazing Database: "{ ... }" header
    lines (the units line "{ Units, Wavelength Units } SI Microns" or
    "... SI Nanometers", thickness, emissivity, product name, manufacturer),
    then rows of wavelength, T, front R, back R as fractions; rows of 9
    numbers (direct and diffuse parts) store the total, direct plus diffuse,
    with the front T;
  - IGSDB product JSON: spectral_data.spectral_data, the wavelength in
    micrometres, T, Rf and Rb as fractions; measured_data.emissivity_front
    and emissivity_back.
Values are stored in nm and percent; R1 is the front (face 1), R2 the back.
Face emissivities (hemispherical, 0 to 1), where the file gives them, are
kept in a table of their own. Rows below 300 nm are kept (the run skips
them); rows above 2500 nm are left out and counted. Rows listed from the
longest wavelength down are reversed. More than 441 rows above 299 nm (a
spectrum every 1 or 2 nm) are checked as measured, then resampled onto the
5-nm grid from 300 to 2500 nm, each point interpolated linearly between the
two rows around it; the import line says so.
A file is refused, with its line or key and the reason, when it has no data
rows, a field that is not a number, a units line that is not understood, no
spectral data, values outside 0 to 100 %, T + R (either face) above 100 % by
more than 1 point, wavelengths that neither ascend nor descend strictly, an
emissivity outside 0 to 1, or a range that does not cover 300 to 2500 nm.
T + R above 100 % by at most 1 point is measuring noise: the file is
imported, with a warning on standard error that tells at how many
wavelengths and the largest sum. All files go in one transaction: when one
is refused, the database is left unchanged and none of the files is
imported, unless --skip-bad is given.

Options:
  --kind KIND    glass (default), film or pvb: the suite table family; a user
                 database keeps every kind in its glass tables
  --id N         the product id (one FILE only); by default the next free id
                 of the database's range: 1 to 999999 for a suite database,
                 1000000 and up for a user database
  --name TEXT    the product name (one FILE only); by default the name in the
                 file, else the file name without its extension
  --origin TEXT  where the file comes from (publisher, version, licence),
                 kept with the product
  --fractions    the T, R1 and R2 columns of columns files hold fractions
                 (0 to 1): they are multiplied by 100; a value above 1 is
                 refused (Optics and IGSDB files hold fractions anyway)
  --duplicate    import a product although one with the same name and the
                 same rows is stored already (with a warning naming its id);
                 without it such a file is refused
  --skip-bad     import the files that can be imported and list the refused
                 ones on standard error (exit status 2 when a file was
                 refused)
  --help         show this help and exit

For each product, the id it was given is printed.
)";

constexpr const char* kListHelp = R"(Usage: lamivex-db list PATH
List the products of the database at PATH, one line per product, fields
separated by TABs: id, kind (glass, film, pvb), name, row count, wavelength
range in nm, thickness in mm, the file the product was imported from (- for
a thickness or file the database does not hold), and "emissivity FRONT/BACK",
the faces' hemispherical emissivities (- for a face not known; - alone when
neither is).

Options:
  --help   show this help and exit
)";

constexpr const char* kDeleteHelp = R"(Usage: lamivex-db delete PATH ID [--kind glass|film|pvb]
Delete the product ID from the database at PATH: its product row, its
spectral rows and its emissivities, in one transaction. A job that still
names the id stops with "Please, select the glass!". The product deleted is
printed.

Options:
  --kind KIND   the table family that holds the id, needed only when a suite
                database holds the id in more than one family; a user
                database has only glass tables
  --help        show this help and exit
)";

constexpr const char* kRenameHelp =
    R"(Usage: lamivex-db rename PATH ID NAME [--kind glass|film|pvb] [--duplicate]
Give the product ID of the database at PATH the name NAME (not empty), in
one transaction. The product's id and spectrum do not change, so that jobs
that name the id go on working. A name another product has already is
refused, naming that product's id, unless --duplicate is given.

Options:
  --kind KIND   the table family that holds the id, needed only when a suite
                database holds the id in more than one family; a user
                database has only glass tables
  --duplicate   give the name although another product has it
  --help        show this help and exit
)";

constexpr const char* kCheckHelp = R"(Usage: lamivex-db check PATH
Report, for every product of the database at PATH, what would make a run
misbehave or refuse it, and what a run goes through but is worth knowing.
Rows are read with the run's own queries, in the order the run receives them.
The database is opened read-only.

Problems (a run would misbehave or refuse the product), one line each:
  rows not strictly ascending, duplicate wavelengths, a range that does not
  cover 300 to 2500 nm, more than 441 rows above 299 nm, values outside 0 to
  100 or not numbers, T + R above 100 by more than the 1-point tolerance, a
  product without spectral rows, an id outside the database's range.
Warnings (a run goes through), lines with "warning:" after the product:
  T + R above 100 by at most 1 point (measuring noise): how many
  wavelengths, and the largest sum with its wavelength.
The last line counts the problems, then the warnings.

Exit status 0 when no problem is found, warnings or not; 1 when a problem is.

Options:
  --help   show this help and exit
)";

}  // namespace

std::string HelpText(const std::string& command) {
  if (command.empty()) return kToolHelp;
  if (command == "create") return kCreateHelp;
  if (command == "import") return kImportHelp;
  if (command == "list") return kListHelp;
  if (command == "check") return kCheckHelp;
  if (command == "delete") return kDeleteHelp;
  if (command == "rename") return kRenameHelp;
  return "";
}

}  // namespace lamivexdb
