// String.dat: whatever the bytes, every caption field ends inside its size,
// and the face name fits the platform's font description.
#include <cstring>

#include "fuzz/fuzz_check.h"
#include "ui/caption_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CaptionTexts texts;
  captions::ParseCaptionFile(FuzzBytes(data, size), texts);
  FUZZ_CHECK(Terminated(texts.faceName));
  FUZZ_CHECK(std::strlen(texts.faceName) <= 31);
  FUZZ_CHECK(Terminated(texts.audio[0]) && Terminated(texts.audio[1]));
  FUZZ_CHECK(Terminated(texts.video[0]) && Terminated(texts.video[1]) && Terminated(texts.video[2]));
  FUZZ_CHECK(Terminated(texts.fileErrorText));
  // Reading the same bytes again gives the same texts.
  CaptionTexts again;
  captions::ParseCaptionFile(FuzzBytes(data, size), again);
  FUZZ_CHECK(
      std::strcmp(texts.faceName, again.faceName) == 0 && texts.fontHeight == again.fontHeight &&
      texts.fontWidth == again.fontWidth && std::strcmp(texts.fileErrorText, again.fileErrorText) == 0 &&
      std::strcmp(texts.audio[1], again.audio[1]) == 0 && std::strcmp(texts.video[2], again.video[2]) == 0);
  return 0;
}
