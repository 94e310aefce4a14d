// Proc.log: the decision depends on the text, not on how its lines end on disk.
#include <string>

#include "common/text_mode.h"
#include "fuzz/fuzz_check.h"
#include "launch/proc_log.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = FuzzBytes(data, size);
  const launch::ProcLogStatus status = launch::ScanProcLog(bytes);
  const std::string rewritten = text::EncodeTextMode(text::DecodeTextMode(bytes));
  FUZZ_CHECK(launch::ScanProcLog(rewritten) == status);
  return 0;
}
