// Paths in a job file mean the same wherever the program was started: a relative one is read
// against the job file's folder, a drive-relative one is told apart for the Load to refuse, and
// the split is made on characters (乗 and 嘰 end in the byte of a backslash).
#include <gtest/gtest.h>

#include <string>

#include "settings/job_paths.h"
#include "tests/support/case_name.h"

namespace {
struct job_path_case {
  const char* name;
  const char* job_file;
  const char* value;
  job_path_form form;
  const char* expected;
};

class JobPath : public testing::TestWithParam<job_path_case> {};

TEST_P(JobPath, IsReadAgainstTheJobFilesFolder) {
  const job_path_case& c = GetParam();
  EXPECT_EQ(job_path_form_of(c.value), c.form) << c.name;
  EXPECT_EQ(absolute_job_path(c.job_file, c.value), c.expected) << c.name;
}

constexpr job_path_form full = job_path_form::full;
constexpr job_path_form relative = job_path_form::relative;

INSTANTIATE_TEST_SUITE_P(
    Forms, JobPath,
    testing::Values(
        job_path_case{"full path kept", "C:\\jobs\\a.frx", "D:\\data", full, "D:\\data"},
        job_path_case{"drive root kept", "C:\\jobs\\a.frx", "E:\\", full, "E:\\"},
        job_path_case{"forward slash root", "C:\\jobs\\a.frx", "E:/x", full, "E:/x"},
        job_path_case{"share kept", "C:\\jobs\\a.frx", "\\\\srv\\share\\x", full,
                      "\\\\srv\\share\\x"},
        job_path_case{"empty stays empty", "C:\\jobs\\a.frx", "", full, ""},
        job_path_case{"drive relative told apart", "C:\\jobs\\a.frx", "E:name",
                      job_path_form::drive_relative, "E:name"},
        job_path_case{"bare drive told apart", "C:\\jobs\\a.frx", "E:",
                      job_path_form::drive_relative, "E:"},
        job_path_case{"colon past the drive kept as written", "C:\\jobs\\a.frx", ";C:\\x",
                      job_path_form::no_name, ";C:\\x"},
        job_path_case{"name below the folder", "C:\\jobs\\a.frx", "relout", relative,
                      "C:\\jobs\\relout"},
        job_path_case{"closing backslash kept", "C:\\jobs\\a.frx", "relout\\", relative,
                      "C:\\jobs\\relout\\"},
        job_path_case{"dot steps taken", "C:\\jobs\\deep\\a.frx", ".\\x\\..\\..\\y", relative,
                      "C:\\jobs\\y"},
        job_path_case{"dot alone is the folder", "C:\\jobs\\a.frx", ".", relative, "C:\\jobs"},
        job_path_case{"never above the root", "C:\\jobs\\a.frx", "..\\..\\..\\x", relative,
                      "C:\\x"},
        job_path_case{"up to the root itself", "C:\\jobs\\a.frx", "..", relative, "C:\\"},
        job_path_case{"rooted on the job file's drive", "C:\\jobs\\a.frx", "\\top", relative,
                      "C:\\top"},
        job_path_case{"never above the share", "\\\\srv\\share\\j\\a.frx", "..\\..\\x",
                      relative, "\\\\srv\\share\\x"},
        job_path_case{"second bytes 5C in the value", "C:\\jobs\\a.frx", "乗\\嘰", relative,
                      "C:\\jobs\\乗\\嘰"},
        job_path_case{"second byte 5C ends the value", "C:\\jobs\\a.frx", "x\\乗", relative,
                      "C:\\jobs\\x\\乗"},
        job_path_case{"second byte 5C ends the job's folder", "C:\\乗\\a.frx", "..\\嘰",
                      relative, "C:\\嘰"},
        job_path_case{"job file at a drive root", "C:\\a.frx", "x", relative, "C:\\x"}),
    case_name<job_path_case>);

}  // namespace
