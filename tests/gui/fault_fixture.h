// Fixtures for the fault and bad-input cases: a job set up in the scratch folder beside a
// control folder that must not change, run to its end through whatever notices come, and the
// invariant checked at the end.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/gui/job_fixture.h"
#include "tests/gui/tree_invariant.h"

class FaultFixture : public JobFixture {
 protected:
  void SetUp() override;

  // Sources added through the folder browser, the destination chosen; the state of everything
  // in the scratch folder outside the destination is taken now (call it again after the
  // test's own changes to the sources).
  testing::AssertionResult set_up_job(const std::vector<std::string>& source_folders,
                                      const std::string& dest_folder);
  void take_snapshot();
  // The "no notices" box, as a user ticks it.
  testing::AssertionResult tick_dont_notify();

  // Start, then OK on every notice until the job has ended and its worker is gone; the notices'
  // texts are kept in `notices`.
  testing::AssertionResult run_job_to_end();
  // OK on every notice until the condition holds.
  testing::AssertionResult dismiss_notices_until(const std::function<bool()>& condition);
  // The notice text the worker shows for this format and path.
  static std::string notice(const char* format, const std::string& path);
  // Whether the dialog says the job is over (all done, stopped, or its counts) and the worker
  // has gone.
  bool job_over();

  // The whole invariant, then the window closed: exit code 1.
  void check_invariant();

  std::vector<std::string> sources;
  std::string dest;
  std::string control;  // a folder no job touches
  std::vector<std::string> placed;  // files the test put in dest itself, relative to it
  std::vector<std::string> notices;
  tree_invariant::tree_state before;
};

// Fault cases whose trees only the Unix side can make (names no Windows program may create,
// thousands of files at once); they skip where there is none. The scratch folder goes through
// the Unix side too, since the ANSI calls cannot name everything in it.
class UnixSideFixture : public FaultFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs the shell script on the Unix side; the failure shows the script.
  static testing::AssertionResult on_unix_side(const std::string& script);
  // The Unix name of a path, as one word of a shell command.
  static std::string unix_word(const std::string& path);
};
