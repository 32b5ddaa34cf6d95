// The exit code of a run: one table, read from its top; the README's table says the same.
#include "core/job_reports.h"

namespace {
struct exit_row {
  int code;
  bool (*holds)(const run_end& end);
};

constexpr exit_row exit_rows[] = {
    {exit_not_started, [](const run_end& end) { return end.refused_before_start; }},
    {exit_stopped, [](const run_end& end) { return !end.outcome || end.outcome->stopped; }},
    {exit_something_failed, [](const run_end& end) { return end.outcome->errors != 0; }},
    {exit_something_failed, [](const run_end& end) { return end.outcome->twins_skipped != 0; }},
    {exit_something_failed, [](const run_end& end) { return end.outcome->kept_differing != 0; }},
    {exit_something_failed, [](const run_end& end) { return end.log_lost_a_line; }},
};
}  // namespace

int run_exit_code(const run_end& end) {
  for (const exit_row& row : exit_rows)
    if (row.holds(end)) return row.code;
  return exit_all_done;
}
