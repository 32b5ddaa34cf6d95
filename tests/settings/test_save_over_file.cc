// Saving into a file that exists: only the job's keys change; old srcN keys above the new
// count, other keys and other sections stay, and the load still yields the saved job.
#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "tests/settings/job_file_helpers.h"
#include "tests/support/case_name.h"
#include "tests/support/settings_scratch.h"

namespace {
class SaveOverFile : public SettingsScratch {
 protected:
  std::string value_of(const char* section, const char* key) {
    char value[settings_value_size];
    profile_read_text(section, key, value, sizeof value, path_.c_str());
    return value;
  }
  std::string path_ = path_of("job.frx");
};

TEST_F(SaveOverFile, TwoSourcesOverFiveLeaveTheOldKeysAndLoadTwo) {
  auto five = job_to_save({"D:\\1", "D:\\2", "D:\\3", "D:\\4", "D:\\5"}, "E:\\five", 1, 1, 100000);
  ASSERT_EQ(save_job_settings(path_.c_str(), *five), save_result::saved);
  auto two = job_to_save({"D:\\new0", "D:\\new1"}, "E:\\two", 0, 1, 92341);
  ASSERT_EQ(save_job_settings(path_.c_str(), *two), save_result::saved);

  EXPECT_EQ(value_of("Ferrix", "nsrc"), "2");
  EXPECT_EQ(value_of("Ferrix", "src2"), "D:\\3");
  EXPECT_EQ(value_of("Ferrix", "src3"), "D:\\4");
  EXPECT_EQ(value_of("Ferrix", "src4"), "D:\\5");
  EXPECT_EQ(load_job(path_), as_loaded(*two));
}

TEST_F(SaveOverFile, OtherKeysAndSectionsSurvive) {
  write_raw(path_,
            "; kept by hand\r\n[Before]\r\nx=1\r\n[Ferrix]\r\nnote=keep me\r\nnsrc=9\r\n"
            "speed=1\r\n[After]\r\ny=2\r\n");
  auto job = job_to_save({"D:\\a"}, "E:\\b", 1, 0, 120000);
  ASSERT_EQ(save_job_settings(path_.c_str(), *job), save_result::saved);

  EXPECT_EQ(value_of("Before", "x"), "1");
  EXPECT_EQ(value_of("Ferrix", "note"), "keep me");
  EXPECT_EQ(value_of("After", "y"), "2");
  EXPECT_EQ(value_of("After", "nsrc"), "");
  EXPECT_NE(read_raw(path_).find("; kept by hand"), std::string::npos) << read_raw(path_);
  EXPECT_EQ(load_job(path_), as_loaded(*job));
}

TEST_F(SaveOverFile, AFileWithAnotherSectionOnlyGainsTheJob) {
  write_raw(path_, "[Other]\r\nnsrc=3\r\nsrc0=D:\\not mine\r\n");
  EXPECT_EQ(load_job(path_), default_job());
  auto job = job_to_save({"D:\\mine"}, "E:\\", 0, 0, 92341);
  ASSERT_EQ(save_job_settings(path_.c_str(), *job), save_result::saved);
  EXPECT_EQ(value_of("Other", "src0"), "D:\\not mine");
  EXPECT_EQ(load_job(path_), as_loaded(*job));
}

TEST_F(SaveOverFile, SavingTheSameJobTwiceChangesNothing) {
  auto job = job_to_save({"D:\\a", "D:\\b"}, "E:\\c", 1, 1, 161181);
  ASSERT_EQ(save_job_settings(path_.c_str(), *job), save_result::saved);
  const std::string first = read_raw(path_);
  ASSERT_EQ(save_job_settings(path_.c_str(), *job), save_result::saved);
  EXPECT_EQ(read_raw(path_), first);
}

// The verify key: written when on; when off only over a file that holds it, so no stale 1
// survives and a job saved without it to a new file is what a save always wrote.
struct verify_case {
  const char* name;
  const char* before;  // the file before the save; nullptr for none
  int32_t verify;
  const char* after;  // the whole file after the save
};

class VerifyKey : public SettingsScratch, public testing::WithParamInterface<verify_case> {};

TEST_P(VerifyKey, IsWrittenWhenOnOrWhereTheFileHoldsIt) {
  const verify_case& c = GetParam();
  const std::string path = path_of("verify.frx");
  if (c.before) write_raw(path, c.before);
  auto job = job_to_save({"D:\\a"}, "E:\\b", 0, 0, 92341, c.verify);
  ASSERT_EQ(save_job_settings(path.c_str(), *job), save_result::saved) << c.name;
  EXPECT_EQ(read_raw(path), c.after) << c.name;
  EXPECT_EQ(load_job(path).verify, c.verify) << c.name;
}

#define JOB_LINES \
  "nsrc=1\r\nsrc0=D:\\a\r\ndest=E:\\b\r\noverwriteall=0\r\ndontnotify=0\r\nspeed=92341\r\n"
INSTANTIATE_TEST_SUITE_P(
    Saves, VerifyKey,
    testing::Values(
        verify_case{"off into a new file", nullptr, 0, "[Ferrix]\r\n" JOB_LINES},
        verify_case{"on into a new file", nullptr, 1, "[Ferrix]\r\n" JOB_LINES "verify=1\r\n"},
        verify_case{"off over a stale one", "[Ferrix]\r\nverify=1\r\n", 0,
                    "[Ferrix]\r\nverify=0\r\n" JOB_LINES},
        verify_case{"off over one in capitals", "[Ferrix]\r\nVERIFY=1\r\n", 0,
                    "[Ferrix]\r\nVERIFY=0\r\n" JOB_LINES},
        verify_case{"on over an off one", "[Ferrix]\r\nverify=0\r\n", 1,
                    "[Ferrix]\r\nverify=1\r\n" JOB_LINES},
        verify_case{"off over a file without it", "[Ferrix]\r\nnote=x\r\n", 0,
                    "[Ferrix]\r\nnote=x\r\n" JOB_LINES}),
    case_name<verify_case>);
#undef JOB_LINES
}  // namespace
