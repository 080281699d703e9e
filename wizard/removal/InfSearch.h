// Which driver-store INF file belongs to a model: the one whose text names
// the model's data file (for example "VEXO_80.DAT").
#pragma once

#include <cstdint>

#include "wizard/engine/platform/CodePage.h"
#include "wizard/engine/platform/CrtFiles.h"

namespace quispor::removal {

// 1 when the file at path (wide, converted to the ANSI code page to open it)
// contains the data file name of model modelIndex, else 0. The file is read
// whole, in binary and only for reading, so a read-only INF counts, and the
// name is looked for both as ANSI text and as UTF-16LE text (at even byte
// offsets, where UTF-16 characters of a file begin). Case counts. A file
// that cannot be opened, sized or read, or an unknown model, gives 0.
int InfContainsModel(platform::CrtFiles& files, platform::CodePage& codePage, const char16_t* path,
                     int32_t modelIndex);

}  // namespace quispor::removal
