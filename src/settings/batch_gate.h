// The batch-mode gate: batchs.ini must answer the first question with 'y'.
#pragma once

#include "primitives/text.h"

namespace corrivex::settings {

enum class GateResult { GoOn, End };

// Makes sure batchs.ini exists, then loops until batch mode is on, offering
// to edit the file in between; End when the user declines. On GoOn the
// course path of the file is current when it is set and the change worked.
GateResult checkBatchSettings(const Text& StartDir);

}  // namespace corrivex::settings
