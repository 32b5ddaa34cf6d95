// `ferrix.exe JOB /start /log LOG` ends by itself with an exit code that says what happened,
// and no window but its dialog ever shows: 0 with a file kept because it exists, 1 with a file
// that cannot be read, 3 (nothing copied) when the job cannot start as written.
#include <gtest/gtest.h>

#include <cstdio>

#include "res/texts.h"
#include "tests/gui/file_tree.h"
#include "tests/gui/unattended_fixture.h"
#include "tests/support/case_name.h"

namespace {
enum class job_kind { one_kept, one_unreadable, no_job_file, no_sources };

struct exit_case {
  const char* name;
  job_kind job;
  const char* arguments;
  int exit_code;
};

class UnattendedExitCode : public UnattendedFixture,
                           public testing::WithParamInterface<exit_case> {
 protected:
  // Source "a.bin" and "b.bin"; the destination already holds "a.bin", or "b.bin" cannot be
  // read. A job that cannot start finds its destination empty and leaves it so.
  void prepare(job_kind job) {
    source = folder("source");
    dest = folder("dest");
    ASSERT_NO_FATAL_FAILURE(make_file(source + "\\a.bin", 3000));
    ASSERT_NO_FATAL_FAILURE(make_file(source + "\\b.bin", 5000));
    if (job == job_kind::one_kept) {
      ASSERT_NO_FATAL_FAILURE(make_file(dest + "\\a.bin", 10));
    }
    if (job == job_kind::one_unreadable) {
      ASSERT_NO_FATAL_FAILURE(lock_file(source + "\\b.bin"));
    }
    if (job != job_kind::no_job_file) {
      std::vector<std::string> sources;
      if (job != job_kind::no_sources) sources.push_back(source);
      ASSERT_NO_FATAL_FAILURE(write_job(sources, dest));
    }
  }

  // The log's last line for each case.
  std::string last_line(const exit_case& run) {
    char counts[256];
    switch (run.exit_code) {
      case 0: snprintf(counts, sizeof counts, TEXT_JOB_SUMMARY, 1, 1, 0); break;
      case 1: snprintf(counts, sizeof counts, TEXT_JOB_SUMMARY, 1, 0, 1); break;
      default:
        if (run.job == job_kind::no_job_file)
          return formatted(TEXT_LOG_NOT_STARTED, formatted(TEXT_JOB_FILE_UNREADABLE, job_path));
        if (run.job == job_kind::no_sources)
          return formatted(TEXT_LOG_NOT_STARTED, TEXT_NO_SOURCES);
        return formatted(TEXT_LOG_NOT_STARTED, formatted(TEXT_BAD_ARGUMENT, "/what"));
    }
    char end_line[512];
    snprintf(end_line, sizeof end_line, TEXT_LOG_END, counts, "*");
    return end_line;
  }

  std::string source;
  std::string dest;
};

TEST_P(UnattendedExitCode, EndsByItselfWithItsCodeAndNoBox) {
  const exit_case& run = GetParam();
  ASSERT_NO_FATAL_FAILURE(prepare(run.job));
  ASSERT_TRUE(start(run.arguments));

  EXPECT_EQ(exit_code_without_boxes(), run.exit_code) << run.name;

  const std::vector<std::string> lines = log_lines();
  EXPECT_TRUE(log_lines_valid) << run.name;
  ASSERT_FALSE(lines.empty()) << run.name;
  EXPECT_EQ(lines.back(), last_line(run)) << run.name;
  const std::vector<std::string> copied = file_tree::files_below(dest);
  if (run.exit_code == 3) {
    EXPECT_EQ(lines.size(), 1u) << run.name << ": only the reason";
    EXPECT_TRUE(copied.empty()) << run.name << ": " << copied[0];
  }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, UnattendedExitCode,
    testing::Values(
        exit_case{"kept file", job_kind::one_kept, "{job} /start /log {log}", 0},
        exit_case{"unreadable file", job_kind::one_unreadable, "{job} /Log {log} /START", 1},
        exit_case{"unreadable job file", job_kind::no_job_file, "{job} /start /log {log}", 3},
        exit_case{"empty job", job_kind::no_sources, "{job} /start /log {log}", 3},
        exit_case{"unknown option", job_kind::one_unreadable, "{job} /start /what /log {log}",
                  3}),
    case_name<exit_case>);
}  // namespace
