#pragma once

// The racing functions in one include: racecourse names, number formatting, the JV-Data
// code tables and class labels, and the numbering of bet combinations.

#include "codes/bet_numbering.h"
#include "codes/code_tables.h"
#include "codes/course_text.h"
#include "codes/pad_int_text.h"
#include "codes/race_class_text.h"
#include "codes/race_symbol_text.h"
#include "codes/strip_wide_spaces.h"
