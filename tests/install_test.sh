#!/usr/bin/env bash
# Installs the build into a prefix of its own and uses it as a user does: the installed
# lamivex runs the demo job with only AppData set, the installed lamivex-report writes
# its report, the installed lamivex-batch calculates the same stack, and a program of
# another project is built against the installed CreatePDF package, installed beside
# the programs and run.
# Arguments: the build folder, the source folder, the C++ compiler, the CMake generator
# and a work folder (emptied first).
set -euo pipefail
build=$1
source=$2
compiler=$3
generator=$4
work=$5

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log"

data=$prefix/share/lamivex
for file in "Base SM_Vitrages/SpectralDB/SM_Spectral.db" gPDFFonts.ini \
  Langages/Français/Impression_FR_Lamivex.txt Langages/Anglais/Impression_EN_Lamivex.txt \
  Langages/Allemand/Impression_DE_Lamivex.txt Langages/Espagnol/Impression_ES_Lamivex.txt; do
  [ -f "$data/$file" ] || { echo "install test: $data/$file is missing"; exit 1; }
done

# The programs find their data from their own folder: nothing names it, and they run
# from a folder that holds nothing of the build.
unset LAMIVEX_PROGRAM_DIR
export AppData=$work/appdata
temp=$AppData/Solmerac/v5.2/Profile/Temp
mkdir -p "$temp"
cp "$source/06_Lamivex/data/demo/input_Lamivex.in" "$temp/"
cd "$work"
"$prefix/bin/lamivex"
[ -s "$temp/Lamivex.out" ] || { echo "install test: lamivex wrote no Lamivex.out"; exit 1; }
"$prefix/bin/lamivex-report"
qpdf --check "$temp/Lamivex.pdf" >/dev/null
printf '%s\n' 'name,layers' 'demo,glass:1001 pvb:3002 glass:1001' |
  "$prefix/bin/lamivex-batch" - >"$work/batch.csv"
grep -q '^demo,glass:1001 pvb:3002 glass:1001,laminated,[0-9]' "$work/batch.csv" ||
  { echo "install test: lamivex-batch gave no values"; cat "$work/batch.csv"; exit 1; }

consumer=$work/consumer
cmake -S "$source/CreatePDF/tests/consumer" -B "$consumer" -G "$generator" \
  -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_PREFIX_PATH="$prefix" >"$work/consumer.log"
cmake --build "$consumer" >>"$work/consumer.log"
cmake --install "$consumer" --prefix "$prefix" >>"$work/consumer.log"
"$prefix/bin/consumer" "$work/consumer.pdf" || {
  echo "install test: the consumer failed: no PDF, or no font metrics (Lamivex not 37.23 pt)"
  exit 1
}
qpdf --check "$work/consumer.pdf" >/dev/null
pages=$(qpdf --show-npages "$work/consumer.pdf")
[ "$pages" = 1 ] || { echo "install test: the consumer's PDF has $pages pages"; exit 1; }
echo "install test: the installed programs and the CreatePDF package work from $prefix"
