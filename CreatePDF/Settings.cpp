// Placeholder until the writer's settings land.
#include "CreatePDF.h"

CreatePDF::CreatePDF() {}
