// Which sources a file yields: only srcN keys below nsrc that the section holds and that are
// not empty, in ascending N, whatever the count claims.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/settings/job_file_helpers.h"
#include "tests/support/settings_scratch.h"
#include "tests/support/case_name.h"

namespace {
struct sources_case {
  const char* name;
  const char* section_lines;
  std::vector<std::string> expected;
};

class SourcesFromFile : public SettingsScratch, public testing::WithParamInterface<sources_case> {};

TEST_P(SourcesFromFile, YieldsTheListedSources) {
  const std::string path = path_of("sources.frx");
  write_raw(path, std::string("[Ferrix]\r\n") + GetParam().section_lines);
  EXPECT_EQ(load_job(path).sources, GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Counts, SourcesFromFile,
    testing::Values(
        sources_case{"nsrc zero", "nsrc=0\r\nsrc0=D:\\a\r\n", {}},
        sources_case{"nsrc negative", "nsrc=-3\r\nsrc0=D:\\a\r\n", {}},
        sources_case{"nsrc missing", "src0=D:\\a\r\nsrc1=D:\\b\r\n", {}},
        sources_case{"nsrc not a number", "nsrc=many\r\nsrc0=D:\\a\r\n", {}},
        sources_case{"nsrc larger than the keys present",
                     "nsrc=6\r\nsrc0=D:\\a\r\nsrc2=D:\\c\r\nsrc5=D:\\f\r\n",
                     {"D:\\a", "D:\\c", "D:\\f"}},
        sources_case{"keys out of order in the file",
                     "nsrc=3\r\nsrc2=D:\\c\r\nsrc0=D:\\a\r\nsrc1=D:\\b\r\n",
                     {"D:\\a", "D:\\b", "D:\\c"}},
        sources_case{"empty values skipped", "nsrc=3\r\nsrc0=\r\nsrc1=D:\\b\r\nsrc2=\"\"\r\n",
                     {"D:\\b"}},
        sources_case{"a source listed twice", "nsrc=2\r\nsrc0=D:\\same\r\nsrc1=D:\\same\r\n",
                     {"D:\\same", "D:\\same"}},
        sources_case{"keys at and above nsrc ignored",
                     "nsrc=2\r\nsrc0=D:\\a\r\nsrc1=D:\\b\r\nsrc2=D:\\old\r\nsrc3=D:\\old\r\n",
                     {"D:\\a", "D:\\b"}},
        sources_case{"a key repeated counts once, first value",
                     "nsrc=2\r\nsrc0=D:\\a\r\nsrc0=D:\\z\r\nsrc1=D:\\b\r\n", {"D:\\a", "D:\\b"}},
        sources_case{"key names in any case", "NSRC=2\r\nSRC0=D:\\a\r\nSrc1=D:\\b\r\n",
                     {"D:\\a", "D:\\b"}},
        sources_case{"names that src%d never forms",
                     "nsrc=20\r\nsrc00=D:\\x\r\nsrc+1=D:\\x\r\nsrc-1=D:\\x\r\nsrc1x=D:\\x\r\n"
                     "src=D:\\x\r\nsrc3=D:\\kept\r\n",
                     {"D:\\kept"}},
        sources_case{"hostile count",
                     "nsrc=2000000000\r\nsrc0=D:\\a\r\nsrc1999999999=D:\\last\r\n"
                     "src2000000000=D:\\beyond\r\n",
                     {"D:\\a", "D:\\last"}},
        sources_case{"other keys between", "nsrc=2\r\ndest=E:\\\r\nsrc1=D:\\b\r\nspeed=1\r\n",
                     {"D:\\b"}}),
    case_name<sources_case>);

class SourcesTaken : public SettingsScratch {};

TEST_F(SourcesTaken, StopWhenTheTakerRefusesMore) {
  const std::string path = path_of("many.frx");
  write_raw(path, "[Ferrix]\r\nnsrc=4\r\nsrc0=D:\\a\r\nsrc1=D:\\b\r\nsrc2=D:\\c\r\nsrc3=D:\\d\r\n");
  std::vector<std::string> taken;
  read_sources(
      path.c_str(), 4,
      [](void* context, const char* source) {
        auto* list = static_cast<std::vector<std::string>*>(context);
        list->push_back(source);
        return list->size() < 2;
      },
      &taken);
  EXPECT_EQ(taken, (std::vector<std::string>{"D:\\a", "D:\\b"}));
}

TEST_F(SourcesTaken, ATooLongSourceArrivesWholeToBeRefused) {
  const std::string path = path_of("long.frx");
  const std::string long_source = "D:\\" + std::string(297, 'x');
  write_raw(path, "[Ferrix]\r\nnsrc=1\r\nsrc0=" + long_source + "\r\n");
  EXPECT_EQ(load_job(path).sources, std::vector<std::string>{long_source});
}
}  // namespace
