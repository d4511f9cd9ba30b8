#pragma once
// The jobs, the test cutter and the text files of the layout tests live in tests/support now; this
// header only gathers them for the test files that still include it under its old name.

#include "support/CatalogRecords.h"
#include "support/JobBuilders.h"
#include "support/TextFiles.h"
