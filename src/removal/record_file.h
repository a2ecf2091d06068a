#pragma once

// The record file format in one include: reading and writing lines, and what
// a WP record and its key are.
#include "removal/line_reader.h"
#include "removal/line_writer.h"
#include "removal/record_fields.h"
