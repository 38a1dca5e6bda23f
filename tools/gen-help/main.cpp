// gen-help SOURCE OUT: checks the help document's UTF-8 source (help_source.h),
// converts it to CP1251 and writes it sealed with the help file's key, as the help
// window reads it. Any problem in the source is listed as SOURCE:LINE:COLUMN and
// fails the run, leaving OUT untouched.
#include <cstdio>
#include <string>

#include "help_source.h"
#include "platform/cp1251.h"
#include "store/file_bytes.h"
#include "store/sealed_file.h"
#include "ui/help_window.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gen-help SOURCE OUT\n");
    return 2;
  }
  const std::string source = argv[1], out = argv[2];
  std::string utf8;
  if (!tavlero::ReadFileBytes(source, utf8)) {
    std::fprintf(stderr, "gen-help: cannot read %s\n", source.c_str());
    return 1;
  }
  const auto problems = tavlero::help::CheckHelpSource(utf8);
  for (const auto& problem : problems) {
    std::fprintf(stderr, "%s:%d:%d: %s\n", source.c_str(), problem.line, problem.column, problem.message.c_str());
  }
  if (!problems.empty()) return 1;
  if (!tavlero::SaveSealedFile(out, tavlero::platform::Utf8ToCp1251(utf8), tavlero::kHelpKey)) {
    std::fprintf(stderr, "gen-help: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
